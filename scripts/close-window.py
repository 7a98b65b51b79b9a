#!/usr/bin/env python3
"""Closes an X11 window the way a window manager's close button does: sends it WM_DELETE_WINDOW.

    close-window.py <window id>

The checks need this because the test X server runs no window manager: `xdotool windowclose` destroys the window
(XDestroyWindow) instead of asking its program to close, `xdotool windowkill` kills the client, and `wmctrl -c`
only asks a window manager to do it. Under wine the message becomes WM_SYSCOMMAND/SC_CLOSE, as the close box sends
on Windows. Talks to libX11 directly so that it needs nothing beyond Python itself.
"""
import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33  # X.h ClientMessage


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


def load_xlib():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                     ctypes.POINTER(ctypes.c_int)]
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(XEvent)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return xlib


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: close-window.py <window id>")
    window = int(sys.argv[1], 0)
    xlib = load_xlib()
    display = xlib.XOpenDisplay(None)
    if not display:
        sys.exit("close-window.py: cannot open the display")
    wm_protocols = xlib.XInternAtom(display, b"WM_PROTOCOLS", False)
    wm_delete_window = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", False)

    # A window that does not list WM_DELETE_WINDOW would ignore the message: say so rather than wait for nothing.
    protocols = ctypes.POINTER(ctypes.c_ulong)()
    count = ctypes.c_int(0)
    listed = False
    if xlib.XGetWMProtocols(display, window, ctypes.byref(protocols), ctypes.byref(count)):
        listed = wm_delete_window in protocols[: count.value]
        xlib.XFree(protocols)
    if not listed:
        sys.exit(f"close-window.py: window {window:#x} does not take WM_DELETE_WINDOW")

    event = XEvent()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.window = window
    event.xclient.message_type = wm_protocols
    event.xclient.format = 32
    event.xclient.data[0] = wm_delete_window
    event.xclient.data[1] = 0  # CurrentTime
    if not xlib.XSendEvent(display, window, False, 0, ctypes.byref(event)):
        sys.exit("close-window.py: XSendEvent failed")
    xlib.XSync(display, False)
    xlib.XCloseDisplay(display)


if __name__ == "__main__":
    main()
