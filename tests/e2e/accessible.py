#!/usr/bin/python3
"""Reads the running tallix windows over the AT-SPI bus, as a screen reader would.

  accessible.py tree        role<TAB>name<TAB>x y width height (screen pixels), one object a line
  accessible.py described   role<TAB>name<TAB>description, one object a line
  accessible.py texts       name<TAB>text of every text box, line breaks as \\r and \\n and
                            backslashes as \\\\
  accessible.py text NAME   the whole text of the text box named NAME, line breaks as the
                            toolkit reports them (one LF each)
  accessible.py focus       role<TAB>name of the object that has the keyboard focus
  accessible.py caret NAME  the caret's offset in the text box named NAME, then its length
  accessible.py label       the caption of the first label (the tip line)

With --pid PID first, only the copy of process PID is read (two copies may share the bus).
"""
import sys

import pyatspi


def objects(obj):
    yield obj
    for child in obj:
        if child is not None:
            yield from objects(child)


PID = None


def tallix_objects():
    for app in pyatspi.Registry.getDesktop(0):
        if app is None:
            continue
        if app.get_process_id() == PID if PID is not None else app.name == "tallix":
            yield from objects(app)


def box_text(obj):
    try:
        return obj.queryText().getText(0, -1)
    except NotImplementedError:
        return ""


def tree_line(obj):
    try:
        ext = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        rect = f"{ext.x} {ext.y} {ext.width} {ext.height}"
    except NotImplementedError:
        rect = "- - - -"
    return f"{obj.getRoleName()}\t{obj.name}\t{rect}"


def texts_line(obj):
    content = box_text(obj).replace("\\", "\\\\").replace("\r", "\\r").replace("\n", "\\n")
    return f"{obj.name}\t{content}"


def main(args):
    global PID
    if args[:1] == ["--pid"] and len(args) > 1 and args[1].isdigit():
        PID = int(args[1])
        args = args[2:]
    mode = args[0] if args else "tree"
    if mode == "label":
        for obj in tallix_objects():
            if obj.getRoleName() == "label":
                print(obj.name)
                return 0
        return 1
    if mode == "focus":
        for obj in tallix_objects():
            if obj.getState().contains(pyatspi.STATE_FOCUSED):
                print(f"{obj.getRoleName()}\t{obj.name}")
                return 0
        return 1
    if mode == "caret" and len(args) == 2:
        for obj in tallix_objects():
            if obj.getRoleName() == "text" and obj.name == args[1]:
                text = obj.queryText()
                print(text.caretOffset, text.characterCount)
                return 0
        return 1
    if mode == "text" and len(args) == 2:
        for obj in tallix_objects():
            if obj.getRoleName() == "text" and obj.name == args[1]:
                sys.stdout.write(box_text(obj))
                return 0
        return 1
    if mode == "tree":
        out = [tree_line(obj) for obj in tallix_objects()]
    elif mode == "described":
        out = [f"{obj.getRoleName()}\t{obj.name}\t{obj.description}" for obj in tallix_objects()]
    elif mode == "texts":
        out = [texts_line(obj) for obj in tallix_objects() if obj.getRoleName() == "text"]
    else:
        print(__doc__, file=sys.stderr)
        return 2
    print("\n".join(out))
    return 0 if out else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
