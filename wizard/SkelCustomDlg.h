#pragma once

#include "wizard/SkelItem.h"

#include <QDialog>

class CSkelEditDlg;
class QLineEdit;
class QListWidget;
class QPushButton;

// "スケルトンのカスタマイズ": edit, delete, add and import skeletons. Every change is made
// on the dialog's own list and reaches vuroskel.dat only on OK.
class CSkelCustomDlg : public QDialog {
    Q_OBJECT

public:
    explicit CSkelCustomDlg(QWidget* parent = nullptr);

    const CSkelList& Skeletons() const { return m_skeletons; }
    CSkelEditDlg* EditDialog() const { return m_editDlg; }

    // Writes the list; the dialog stays open when that fails.
    void accept() override;

private:
    void ShowSelection();
    void Refill();
    void Select(int row);
    // False (and the user told) when the list is full.
    bool HasRoom();
    void Append(CSkelItem item);

    void OnEdit();
    void OnDelete();
    void OnNew();
    void OnImport();

    CSkelList m_skeletons;
    // The file held skeletons the list could not read (or could not be read at all): it
    // is kept aside when the list replaces it.
    bool m_keepOldFile = false;
    CSkelEditDlg* m_editDlg;
    QListWidget* m_list;
    QLineEdit* m_comment;
    QPushButton* m_edit;
    QPushButton* m_delete;
};
