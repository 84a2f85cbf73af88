#!/usr/bin/python3
"""Prints the pointer the X server shows now, as XFixes hands it to a screen magnifier:

    <name>  <width>  <height>

tab-separated; the name is the cursor theme's ("left_ptr", "hand2") for a pointer made from the
theme, empty for one made from a picture. Exits 1 when there is no X display.
"""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes"))
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = x11.XOpenDisplay(None)
    if not display:
        return 1
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        return 1
    name = (image.contents.name or b"").decode()
    print(f"{name}\t{image.contents.width}\t{image.contents.height}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
