#!/usr/bin/env python3
"""Checks the layout that src/ promises, from the code's own includes:
- the shared helpers (src/common/) include nothing but the standard library;
- the engine (src/vbscript/) includes nothing but itself, the shared helpers and the
  standard library, and its public face (src/vbscript/include/vbscript/) nothing but
  itself and the standard library;
- code outside the engine, in src/ and in tools/, fuzz/, bench/ and tests/, includes
  only the engine's public face (the engine's own tests, tests/vbscript/, may look
  inside);
- only src/platform/qt/ and src/main.cpp include Qt;
- no two folders of src/ include each other, directly or through others.
Takes the project's folder (by default the one this script is in). Prints what breaks
a rule and exits 1; prints the folder graph of src/ and exits 0 otherwise."""
import re
import sys
from pathlib import Path

root = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent)
src = root / "src"
face = src / "vbscript" / "include"
include = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]', re.M)


def folder(path: str) -> str:
    """The unit a file under src/ belongs to: its folder, with platform/qt apart."""
    parts = Path(path).parts
    if len(parts) == 1:
        return parts[0]  # main.cpp
    if parts[:2] == ("platform", "qt"):
        return "platform/qt"
    return parts[0]


def resolve(target: str):
    """The folder an include names and whether it is the engine's public face; None
    for a header beside the including file, named without its folder."""
    if (face / target).exists():
        return "vbscript", True
    if (src / target).exists():
        return folder(target), False
    return None


def sources(top: Path):
    return sorted(f for f in top.rglob("*") if f.suffix in (".h", ".cpp"))


problems = []
edges = {}
for file in sources(src):
    name = file.relative_to(src).as_posix()
    here = folder(name)
    in_face = file.is_relative_to(face)
    for kind, target in include.findall(file.read_text(encoding="utf-8")):
        if kind == "<":
            if target.startswith("Q") and here not in ("platform/qt", "main.cpp"):
                problems.append(f"{name}: includes Qt <{target}>")
            continue
        found = resolve(target)
        if found is None:
            continue
        there, public = found
        if here == "common" and there != "common":
            problems.append(f"{name}: a shared helper includes {target}")
        if here == "vbscript" and there not in ("vbscript", "common"):
            problems.append(f"{name}: the engine includes {target}")
        if in_face and not public:
            problems.append(f"{name}: the engine's public face includes its inside {target}")
        if here != "vbscript" and there == "vbscript" and not public:
            problems.append(f"{name}: includes the engine's inside {target}")
        if there != here:
            edges.setdefault(here, set()).add(there)

for top in ("tools", "fuzz", "bench", "tests"):
    for file in sources(root / top):
        name = file.relative_to(root).as_posix()
        if name.startswith("tests/vbscript/"):
            continue
        for kind, target in include.findall(file.read_text(encoding="utf-8")):
            found = resolve(target) if kind == '"' else None
            if found and found[0] == "vbscript" and not found[1]:
                problems.append(f"{name}: includes the engine's inside {target}")


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
