#include "platform/KeyboardState.h"

#include <QEvent>
#include <QGuiApplication>

#ifdef VURO_HAVE_X11
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
// Xlib's event names would hide Qt's.
#undef KeyPress
#undef KeyRelease
#endif

CLockKeys QueryLockKeys() {
    CLockKeys keys;
#ifdef VURO_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return keys;
    Display* display = x11->display();
    // The indicators' numbers are looked up by name once per display; after that the states
    // of all four come in one request, as the status bar asks several times a second.
    static Display* numbersFor = nullptr;
    static int numbers[4];
    if (numbersFor != display) {
        const char* names[4] = {"Caps Lock", "Num Lock", "Scroll Lock", "Kana"};
        for (int i = 0; i < 4; ++i) {
            const Atom atom = XInternAtom(display, names[i], True);
            numbers[i] = -1;
            if (atom != None && !XkbGetNamedIndicator(display, atom, &numbers[i], nullptr, nullptr, nullptr))
                numbers[i] = -1;
        }
        numbersFor = display;
    }
    unsigned int states = 0;
    if (XkbGetIndicatorState(display, XkbUseCoreKbd, &states) != Success)
        return keys;
    bool* targets[4] = {&keys.capsLock, &keys.numLock, &keys.scrollLock, &keys.kanaLock};
    for (int i = 0; i < 4; ++i)
        *targets[i] = numbers[i] >= 0 && numbers[i] < 32 && (states >> numbers[i] & 1u) != 0;
    keys.known = true;
#endif
    return keys;
}

CKeyboardWatch::CKeyboardWatch(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

CLockKeys CKeyboardWatch::LockKeys() {
    RefreshIfStale();
    return m_lockKeys;
}

Qt::KeyboardModifiers CKeyboardWatch::Modifiers() {
    RefreshIfStale();
    return m_modifiers;
}

void CKeyboardWatch::RefreshIfStale() {
    constexpr qint64 kLongestMs = 2000;
    if (!m_stale && m_asked.isValid() && m_asked.elapsed() < kLongestMs)
        return;
    m_lockKeys = QueryLockKeys();
    m_modifiers = QGuiApplication::queryKeyboardModifiers();
    m_stale = false;
    m_asked.start();
}

bool CKeyboardWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ApplicationStateChange:
    case QEvent::WindowActivate:
        m_stale = true;
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
