#!/usr/bin/env python3
"""Tries to grab the pointer as a second X client: prints "free" when the grab succeeds (and
releases it at once), "grabbed" when another client holds it; exits 2 without a display."""
import ctypes
import ctypes.util
import sys

GRAB_SUCCESS, ALREADY_GRABBED = 0, 1
GRAB_MODE_ASYNC = 1
BUTTON_PRESS_MASK = 1 << 2

xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
xlib.XOpenDisplay.restype = ctypes.c_void_p
xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
xlib.XDefaultRootWindow.restype = ctypes.c_ulong
xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
xlib.XGrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_uint,
                              ctypes.c_int, ctypes.c_int, ctypes.c_ulong, ctypes.c_ulong,
                              ctypes.c_ulong]
xlib.XUngrabPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

display = xlib.XOpenDisplay(None)
if not display:
    print("no display")
    sys.exit(2)
root = xlib.XDefaultRootWindow(display)
status = xlib.XGrabPointer(display, root, 0, BUTTON_PRESS_MASK, GRAB_MODE_ASYNC,
                           GRAB_MODE_ASYNC, 0, 0, 0)
if status == GRAB_SUCCESS:
    xlib.XUngrabPointer(display, 0)
print({GRAB_SUCCESS: "free", ALREADY_GRABBED: "grabbed"}.get(status, "status %d" % status))
xlib.XCloseDisplay(display)
