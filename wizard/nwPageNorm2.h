#pragma once

#include <QWizardPage>

#include <array>

class CAttributeButton;
class CFirstPaint;
class CnewWizPSheet;
class QCheckBox;
class QLineEdit;
class QPushButton;

// Second page of a normal page: the BODY settings (background image, colours, centring,
// a script block). Finish composes the page from both normal pages.
class CnwPageNorm2 : public QWizardPage {
    Q_OBJECT

public:
    explicit CnwPageNorm2(CnewWizPSheet& sheet);

    int nextId() const override;
    void initializePage() override;
    bool validatePage() override;

private:
    // background, bgcolor, text, link, vlink, alink.
    static constexpr std::size_t kAttributes = 6;

    void UpdateBrowse();
    void OnBrowse();

    CnewWizPSheet& m_sheet;
    CFirstPaint* m_firstPaint;
    std::array<CAttributeButton*, kAttributes> m_buttons{};
    std::array<QLineEdit*, kAttributes> m_values{};
    QPushButton* m_browse;
    QCheckBox* m_centering;
    QCheckBox* m_javaScript;
};
