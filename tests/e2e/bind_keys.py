#!/usr/bin/python3
"""Binds each character of the argument to a key of the X display that has no symbol.

  bind_keys.py CHARACTERS

xdotool then finds those characters in the keyboard map and types them with their own
key, instead of binding a spare key for the moment of the keystroke. Run it before the
program starts, so that the program reads the map with them already in it. Keys are
taken from the top of the range, and one is left free for xdotool's spare key.
"""
import ctypes
import ctypes.util
import sys

x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]


def keysym(ch):
    """X11's keysym of a character: Latin-1 as it is, the rest offset by 0x1000000."""
    return ord(ch) if ord(ch) < 0x100 else 0x1000000 | ord(ch)


def free_keys(display):
    low, high, per_key = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    x11.XDisplayKeycodes(display, low, high)
    count = high.value - low.value + 1
    syms = x11.XGetKeyboardMapping(display, low.value, count, per_key)
    if not syms:
        return []
    n = per_key.value
    free = [low.value + i for i in range(count) if not any(syms[i * n + j] for j in range(n))]
    x11.XFree(syms)
    return free


def main(args):
    if len(args) != 1:
        print(__doc__, file=sys.stderr)
        return 2
    display = x11.XOpenDisplay(None)
    if not display:
        print("bind_keys.py: cannot open the display", file=sys.stderr)
        return 1
    free = free_keys(display)
    if len(free) < len(args[0]) + 1:
        print("bind_keys.py: not enough free keys", file=sys.stderr)
        return 1
    for ch in args[0]:
        x11.XChangeKeyboardMapping(display, free.pop(), 1, (ctypes.c_ulong * 1)(keysym(ch)), 1)
    x11.XSync(display, 0)
    x11.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
