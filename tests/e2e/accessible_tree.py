#!/usr/bin/python3
"""Prints the accessible objects of the running tallix windows, one a line:
role<TAB>name<TAB>x y width height (screen pixels). Reads the AT-SPI bus, as a screen
reader would."""
import sys

import pyatspi


def walk(obj, out):
    try:
        ext = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        rect = f"{ext.x} {ext.y} {ext.width} {ext.height}"
    except NotImplementedError:
        rect = "- - - -"
    out.append(f"{obj.getRoleName()}\t{obj.name}\t{rect}")
    for child in obj:
        if child is not None:
            walk(child, out)


def main():
    out = []
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tallix":
            walk(app, out)
    print("\n".join(out))
    return 0 if out else 1


if __name__ == "__main__":
    sys.exit(main())
