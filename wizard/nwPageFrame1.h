#pragma once

#include <QWizardPage>

class CFirstPaint;
class CnewWizPSheet;
class CUpDownEdit;
class QLineEdit;
class QRadioButton;

// First page of a frame page: title, split direction and number of frames.
class CnwPageFrame1 : public QWizardPage {
    Q_OBJECT

public:
    explicit CnwPageFrame1(CnewWizPSheet& sheet);

    int nextId() const override;
    bool validatePage() override;

    QString Title() const;
    // Taken on Next: 0 horizontal, 1 vertical; the count held within 2 to 4.
    int Direction() const { return m_direction; }
    int Count() const { return m_count; }

private:
    CFirstPaint* m_firstPaint;
    QLineEdit* m_title;
    QRadioButton* m_horizontal;
    QRadioButton* m_vertical;
    CUpDownEdit* m_countField;
    int m_direction = 0;
    int m_count = 2;
};
