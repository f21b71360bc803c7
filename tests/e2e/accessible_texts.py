#!/usr/bin/python3
"""Prints the text of every text box of the running tallix windows, one a line:
accessible name<TAB>text, with each line break in the text written as \\n and each
backslash as \\\\. Reads the AT-SPI bus, as a screen reader would."""
import sys

import pyatspi


def walk(obj, out):
    if obj.getRoleName() == "text":
        try:
            text = obj.queryText()
            content = text.getText(0, text.characterCount)
        except NotImplementedError:
            content = ""
        content = content.replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")
        out.append(f"{obj.name}\t{content}")
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
