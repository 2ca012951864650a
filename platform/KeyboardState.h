#pragma once

#include <QElapsedTimer>
#include <QObject>

// The lock keys' states, as far as the windowing system tells them (X11 does; the
// offscreen platform and Wayland do not, and then known is false).
struct CLockKeys {
    bool known = false;
    bool capsLock = false;
    bool numLock = false;
    bool scrollLock = false;
    bool kanaLock = false;
};

CLockKeys QueryLockKeys();

// The lock keys and the held modifiers for displays refreshed several times a second (the
// status bar's panes, the command bar's captions). They are asked of the windowing system
// again only after a key event, after the program became active, or when the last answer
// is two seconds old (a lock key switched by another program sends this one no key), so
// that an idle window costs the display server no requests.
class CKeyboardWatch : public QObject {
public:
    // Watches the events of the whole application.
    explicit CKeyboardWatch(QObject* parent = nullptr);
    CLockKeys LockKeys();
    Qt::KeyboardModifiers Modifiers();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void RefreshIfStale();

    bool m_stale = true;
    QElapsedTimer m_asked;
    CLockKeys m_lockKeys;
    Qt::KeyboardModifiers m_modifiers;
};
