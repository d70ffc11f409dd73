#!/usr/bin/env python3
"""Waits until a window manager holds the X screen's manager selection (WM_S<n>).

Usage: wait_for_manager.py DISPLAY MANAGER_PID SECONDS
Exits 0 once the selection has an owner, 3 when the manager process ended first, 4 when the
time ran out, 2 when the display cannot be opened. Asks the X server through libX11.
"""

import ctypes
import sys
import time


def manager_ended(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            # The state follows the command name in parentheses; a zombie has ended.
            return stat.read().rsplit(")", 1)[1].split()[0] == "Z"
    except FileNotFoundError:
        return True


def main():
    display_name, pid, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    xlib = ctypes.CDLL("libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XGetSelectionOwner.restype = ctypes.c_ulong
    xlib.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XDefaultScreen.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(display_name.encode())
    if not display:
        return 2
    selection = xlib.XInternAtom(display, f"WM_S{xlib.XDefaultScreen(display)}".encode(), 0)
    deadline = time.monotonic() + seconds
    try:
        while True:
            if xlib.XGetSelectionOwner(display, selection) != 0:
                return 0
            if manager_ended(pid):
                return 3
            if time.monotonic() > deadline:
                return 4
            time.sleep(0.02)
    finally:
        xlib.XCloseDisplay(display)


if __name__ == "__main__":
    sys.exit(main())
