#!/usr/bin/python3
"""Prints what the running tallix window shows in one place, read over the AT-SPI bus as
a screen reader would: the text of the text box with the given accessible name, or,
with "--label", the caption of the first label."""
import sys

import pyatspi


def find(obj, match):
    if match(obj):
        return obj
    for child in obj:
        if child is not None:
            found = find(child, match)
            if found is not None:
                return found
    return None


def main():
    want = sys.argv[1]
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.name != "tallix":
            continue
        if want == "--label":
            obj = find(app, lambda o: o.getRoleName() == "label")
            if obj is not None:
                print(obj.name)
                return 0
        else:
            obj = find(app, lambda o: o.getRoleName() == "text" and o.name == want)
            if obj is not None:
                text = obj.queryText()
                print(text.getText(0, text.characterCount))
                return 0
    return 1


if __name__ == "__main__":
    sys.exit(main())
