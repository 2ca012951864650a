#pragma once

#include "wizard/SkelItem.h"

#include <QWizardPage>

class CnewWizPSheet;
class CSkelPreviewDlg;
class QLineEdit;
class QListWidget;
class QPushButton;

// The wizard page that makes the new page a copy of a stored skeleton. The store is read
// once, when the wizard is made.
class CnwPageSkel : public QWizardPage {
    Q_OBJECT

public:
    explicit CnwPageSkel(CnewWizPSheet& sheet);

    int nextId() const override;
    // Finish is offered once a skeleton is selected.
    bool isComplete() const override;
    bool validatePage() override;

    const CSkelList& Skeletons() const { return m_skeletons; }
    CSkelPreviewDlg* PreviewDialog() const { return m_preview; }

private:
    void OnSelectionChanged();
    void OnPreview();

    CnewWizPSheet& m_sheet;
    CSkelList m_skeletons;
    CSkelPreviewDlg* m_preview;
    QListWidget* m_list;
    QLineEdit* m_comment;
    QPushButton* m_previewButton;
};
