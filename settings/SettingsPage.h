#pragma once

#include <QString>
#include <QWidget>

class CFirstPaint;

// One page of the settings sheet: a title for its tab, the help topic F1 shows while it
// is the active page, and its initial state put in place on its first paint. The sheet
// asks the page for its values whenever it is left and when the sheet closes with OK.
class CSettingsPage : public QWidget {
    Q_OBJECT

public:
    CSettingsPage(const QString& title, const char* helpTopic, QWidget* parent = nullptr);

    const QString& Title() const { return m_title; }
    const char* HelpTopic() const { return m_helpTopic; }
    bool FirstPaintDone() const;

    // Takes the values from the controls. When one cannot be taken, returns the message for
    // the user, takes nothing and leaves the page as it is.
    QString KillActive();
    // Puts the focus on the control whose value could not be taken.
    virtual void FocusProblem() {}

protected:
    virtual void FirstPaint() = 0;
    // Why the controls' values cannot be taken; empty when they can.
    virtual QString Problem() const { return {}; }
    virtual void TakeValues() {}

private:
    QString m_title;
    const char* m_helpTopic;
    CFirstPaint* m_firstPaint;
};
