#include "settings/SettingsPage.h"

#include "platform/FirstPaint.h"

CSettingsPage::CSettingsPage(const QString& title, const char* helpTopic, QWidget* parent)
    : QWidget(parent), m_title(title), m_helpTopic(helpTopic),
      m_firstPaint(CFirstPaint::Install(this, [this] { FirstPaint(); })) {}

bool CSettingsPage::FirstPaintDone() const {
    return m_firstPaint->Done();
}

QString CSettingsPage::KillActive() {
    // A page left before it was ever painted still starts from its initial state.
    m_firstPaint->EnsureDone();
    const QString problem = Problem();
    if (problem.isEmpty())
        TakeValues();
    return problem;
}
