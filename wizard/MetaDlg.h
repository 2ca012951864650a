#pragma once

#include <QDialog>

#include <string>
#include <vector>

class CFirstPaint;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// "<META>タグの追加": builds further META tags one by one. The list it keeps lives as long
// as the wizard; OK replaces it by what the dialog shows, Cancel keeps it as it was.
class CMetaDlg : public QDialog {
    Q_OBJECT

public:
    explicit CMetaDlg(QWidget* parent = nullptr);

    // The tags, complete and in the order added, as CP932 bytes.
    const std::vector<std::string>& MetaList() const { return m_metaList; }

    // Shows the dialog modally; each opening starts with "&http-equiv=", empty fields and
    // the kept list.
    int Open();

    void accept() override;

private:
    void SetUp();
    void OnAdd();
    void OnDelete();
    void UpdateDelete();

    std::vector<std::string> m_metaList;
    // The tags shown, row by row.
    std::vector<std::string> m_shown;
    CFirstPaint* m_firstPaint = nullptr;

    QRadioButton* m_httpEquiv;
    QRadioButton* m_name;
    QLineEdit* m_nameValue;
    QLineEdit* m_content;
    QPushButton* m_delete;
    QListWidget* m_list;
};
