"""A clipboard owner that never answers: it takes CLIPBOARD and then only reads the requests
other programs send it, without ever replying. Each request's target is printed, one a line,
so a test can see what the editor asked for. Talks to libX11 through ctypes (no compiler
and no Python binding needed)."""

import ctypes
import sys

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                                    ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x11.XCreateSimpleWindow.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XSetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong]
x11.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XGetSelectionOwner.restype = ctypes.c_ulong
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XGetAtomName.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XGetAtomName.restype = ctypes.c_char_p

SELECTION_REQUEST = 30

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no display")
window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0)
clipboard = x11.XInternAtom(display, b"CLIPBOARD", 0)
x11.XSetSelectionOwner(display, clipboard, window, 0)
x11.XSync(display, 0)
if x11.XGetSelectionOwner(display, clipboard) != window:
    sys.exit("could not take the clipboard")
print("owner", flush=True)

# XEvent is a union of 24 longs; a XSelectionRequestEvent holds type, serial, send_event,
# display, owner, requestor, selection, target, property, time.
event = (ctypes.c_long * 24)()
while True:
    x11.XNextEvent(display, event)
    if event[0] & 0x7F == SELECTION_REQUEST:
        print("request", x11.XGetAtomName(display, event[7]).decode(), flush=True)
