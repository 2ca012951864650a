#pragma once

#include "settings/SettingsPage.h"

#include <string>

class QLineEdit;
class QPushButton;

// The page "ブラウザ": the programs of the two browser previews, typed or browsed for.
class CbrowserPPage : public CSettingsPage {
    Q_OBJECT

public:
    explicit CbrowserPPage(QWidget* parent = nullptr);

    // The paths as last taken from the fields (CP932); empty until the first paint.
    const std::string& FirstPath() const { return m_first; }
    const std::string& SecondPath() const { return m_second; }

    QLineEdit* FirstField() const { return m_firstField; }
    QLineEdit* SecondField() const { return m_secondField; }
    QPushButton* FirstBrowse() const { return m_firstBrowse; }
    QPushButton* SecondBrowse() const { return m_secondBrowse; }

    void FocusProblem() override;

protected:
    void FirstPaint() override;
    QString Problem() const override;
    void TakeValues() override;

private:
    void Browse(bool first);
    void ShowValues();

    std::string m_first;
    std::string m_second;
    QLineEdit* m_firstField;
    QLineEdit* m_secondField;
    QPushButton* m_firstBrowse;
    QPushButton* m_secondBrowse;
};
