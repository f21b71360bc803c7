#!/usr/bin/env python3
"""Checks the layout that src/ promises, from the code's own includes:
- the shared helpers (src/common/) include nothing but the standard library;
- the engine (src/vbscript/) includes nothing but itself, the shared helpers and the
  standard library;
- only src/platform/qt/ and src/main.cpp include Qt;
- no two folders include each other, directly or through others.
Prints what breaks a rule and exits 1; prints the folder graph and exits 0 otherwise."""
import re
import sys
from pathlib import Path

src = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "src")
include = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def folder(path: str) -> str:
    """The unit a file belongs to: its folder under src/, with platform/qt apart."""
    parts = Path(path).parts
    if len(parts) == 1:
        return parts[0]  # main.cpp
    if parts[:2] == ("platform", "qt"):
        return "platform/qt"
    return parts[0]


problems = []
edges = {}
for file in sorted(src.rglob("*")):
    if file.suffix not in (".h", ".cpp"):
        continue
    name = file.relative_to(src).as_posix()
    here = folder(name)
    for kind, target in include.findall(file.read_text(encoding="utf-8")):
        if kind == "<":
            if target.startswith("Q") and here not in ("platform/qt", "main.cpp"):
                problems.append(f"{name}: includes Qt <{target}>")
            continue
        if not (src / target).exists():
            continue  # a header beside the file, named without its folder
        there = folder(target)
        if here == "common" and there != "common":
            problems.append(f"{name}: a shared helper includes {target}")
        if here == "vbscript" and there not in ("vbscript", "common"):
            problems.append(f"{name}: the engine includes {target}")
        if there != here:
            edges.setdefault(here, set()).add(there)


def cycle_from(start):
    stack, seen = [(start, [start])], set()
    while stack:
        node, path = stack.pop()
        for nxt in sorted(edges.get(node, ())):
            if nxt == start:
                return path + [nxt]
            if nxt not in seen:
                seen.add(nxt)
                stack.append((nxt, path + [nxt]))
    return None


for node in sorted(edges):
    loop = cycle_from(node)
    if loop:
        problems.append("folders include each other: " + " -> ".join(loop))
        break

if problems:
    print("\n".join(problems))
    sys.exit(1)
for node in sorted(edges):
    print(f"{node} -> {', '.join(sorted(edges[node]))}")
