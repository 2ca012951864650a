#pragma once

#include "wizard/SkelItem.h"

#include <QDialog>

class QLineEdit;
class QPlainTextEdit;

// "スケルトンの編集": title, comment and source of one skeleton. Texts left as they were
// keep their exact bytes; edited ones are encoded anew.
class CSkelEditDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSkelEditDlg(QWidget* parent = nullptr);

    // Set before every showing; Item() gives what the dialog holds.
    void SetItem(const CSkelItem& item);
    const CSkelItem& Item() const { return m_item; }

    // Takes the fields into the item; refuses (and says why) a line that the store would
    // read as a separator.
    void accept() override;

private:
    CSkelItem m_item;
    // The texts as the fields showed them when set, to tell an untouched field.
    QString m_shownTitle;
    QString m_shownComment;
    QString m_shownSource;

    QLineEdit* m_title;
    QLineEdit* m_comment;
    QPlainTextEdit* m_source;
};
