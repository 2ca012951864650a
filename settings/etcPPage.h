#pragma once

#include "settings/SettingsPage.h"

#include <QFont>

#include <functional>

class CUpDownEdit;
class QPushButton;

// The page "その他": the editor's tab width in columns and its font. The font chosen here
// is stored at once; the sheet's OK applies it.
class CetcPPage : public CSettingsPage {
    Q_OBJECT

public:
    // currentFont gives the font the editor shows now, for the font dialog to start from.
    explicit CetcPPage(std::function<QFont()> currentFont, QWidget* parent = nullptr);

    int TabWidth() const { return m_tabWidth; }

    CUpDownEdit* TabField() const { return m_tabField; }
    QPushButton* FontButton() const { return m_fontButton; }

    void FocusProblem() override;

protected:
    void FirstPaint() override;
    QString Problem() const override;
    void TakeValues() override;

private:
    void ChooseFont();

    std::function<QFont()> m_currentFont;
    int m_tabWidth;
    CUpDownEdit* m_tabField;
    QPushButton* m_fontButton;
};
