#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Puts a dialog's or page's initial state in place once, when the window is first
// painted; later paints change nothing, so repainting never resets what the user entered.
class CFirstPaint : public QObject {
public:
    // The set-up runs on the window's first paint; the object lives as long as the window.
    static CFirstPaint* Install(QWidget* window, std::function<void()> setUp);

    bool Done() const { return m_done; }
    // Runs the set-up now if the window has not been painted yet (e.g. OK pressed through
    // the keyboard before any paint).
    void EnsureDone();

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CFirstPaint(QWidget* window, std::function<void()> setUp);

    QWidget* m_window;
    std::function<void()> m_setUp;
    bool m_done = false;
};
