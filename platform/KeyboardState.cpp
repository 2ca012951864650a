#include "platform/KeyboardState.h"

#include <QGuiApplication>

#ifdef VURO_HAVE_X11
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

CLockKeys QueryLockKeys() {
    CLockKeys keys;
#ifdef VURO_HAVE_X11
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->display())
        return keys;
    Display* display = x11->display();
    // Indicator names are looked up by atom; the atoms are fetched once per display.
    static Display* atomsFor = nullptr;
    static Atom atoms[4];
    if (atomsFor != display) {
        const char* names[4] = {"Caps Lock", "Num Lock", "Scroll Lock", "Kana"};
        for (int i = 0; i < 4; ++i)
            atoms[i] = XInternAtom(display, names[i], True);
        atomsFor = display;
    }
    bool* targets[4] = {&keys.capsLock, &keys.numLock, &keys.scrollLock, &keys.kanaLock};
    for (int i = 0; i < 4; ++i) {
        Bool on = False;
        if (atoms[i] != None && XkbGetNamedIndicator(display, atoms[i], nullptr, &on, nullptr, nullptr))
            *targets[i] = on;
    }
    keys.known = true;
#endif
    return keys;
}
