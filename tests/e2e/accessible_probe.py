#!/usr/bin/python3
"""Reads one fact about a running copy's windows over AT-SPI, as a screen reader would.
  PID focus       prints role<TAB>name of the object that has the keyboard focus
  PID text NAME   prints the text of the object with that accessible name
Only the application of process PID is read: other programs may share the bus."""
import sys

import pyatspi


def objects(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from objects(child)


def all_objects(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            yield from objects(app)


def main(argv):
    if len(argv) < 3 or not argv[1].isdigit():
        print(__doc__, file=sys.stderr)
        return 2
    pid = int(argv[1])
    argv = argv[1:]
    if argv[1:2] == ["focus"]:
        for obj in all_objects(pid):
            if obj.getState().contains(pyatspi.STATE_FOCUSED):
                print(f"{obj.getRoleName()}\t{obj.name}")
                return 0
        return 1
    if argv[1:2] == ["text"] and len(argv) == 3:
        for obj in all_objects(pid):
            if obj.name == argv[2]:
                text = obj.queryText()
                print(text.getText(0, text.characterCount))
                return 0
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
