#pragma once

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
