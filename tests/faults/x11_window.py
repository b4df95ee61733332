#!/usr/bin/env python3
"""What a window manager would do to the game's window, on a bare X server (Xvfb has none):

    x11_window.py close WINDOW   ask the window to close (WM_DELETE_WINDOW), as a title bar's
                                 close button or Alt+F4 does
    x11_window.py unfocus        give the keyboard focus to the root window, as a click on
                                 another window does

Uses libX11 through ctypes so that the test needs nothing beyond Python and the X library.
"""
import ctypes
import sys

CLIENT_MESSAGE = 33
REVERT_TO_PARENT = 2
CURRENT_TIME = 0


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


def main():
    x = ctypes.CDLL("libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(XEvent)]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("x11_window.py: cannot open the display")
    if sys.argv[1:2] == ["close"] and len(sys.argv) == 3:
        window = int(sys.argv[2])
        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event.xclient.data[1] = CURRENT_TIME
        if not x.XSendEvent(display, window, 0, 0, ctypes.byref(event)):
            sys.exit("x11_window.py: XSendEvent failed")
    elif sys.argv[1:] == ["unfocus"]:
        x.XSetInputFocus(display, x.XDefaultRootWindow(display), REVERT_TO_PARENT, CURRENT_TIME)
    else:
        sys.exit(__doc__)
    x.XFlush(display)
    x.XCloseDisplay(display)


if __name__ == "__main__":
    main()
