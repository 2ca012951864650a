#pragma once

#include <QWizardPage>

class CnewWizPSheet;
class QLineEdit;
class QRadioButton;

// The wizard's first page: which kind of page to make, and the file it is meant for
// (chosen only through Browse; the path field cannot be typed into).
class CnwPageTop : public QWizardPage {
    Q_OBJECT

public:
    explicit CnwPageTop(CnewWizPSheet& sheet);

    int nextId() const override;
    bool validatePage() override;

private:
    void OnBrowse();

    CnewWizPSheet& m_sheet;
    QRadioButton* m_normal;
    QRadioButton* m_frame;
    QRadioButton* m_skeleton;
    QLineEdit* m_path;
};
