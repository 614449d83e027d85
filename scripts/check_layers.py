#!/usr/bin/env python3
"""Checks that the library's folders include only folders below them.

    scripts/check_layers.py [LIBRARY_DIR]

LIBRARY_DIR defaults to wordmill/ beside this script's folder. Every .h and
.cpp file of a layer folder (and every umbrella header at the top) may
include headers of its own folder and of the folders below it, never of a
folder above it. A folder or umbrella header missing from the tables below is
an error too: a new folder gets its place in the order first, here and in
docs/ARCHITECTURE.md. Exits 1 and lists every offending line on a violation.
"""

import pathlib
import re
import sys

# Lowest first.
LAYERS = ["sys", "iso", "toolkit", "core", "ctrls", "editor", "comp"]

# The umbrella headers at the top of the library and the layer they gather.
UMBRELLAS = {
    "WordmillSys.h": "sys",
    "WordmillISO.h": "iso",
    "WordmillCore.h": "core",
    "WordmillCtrls.h": "ctrls",
    "WordmillVCLEditor.h": "editor",
    "WordmillComp.h": "comp",
}

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')
SOURCE_SUFFIXES = {".h", ".cpp"}


def layer_of_file(library, path):
    """The layer a library file belongs to, or None for a file outside any."""
    relative = path.relative_to(library)
    if len(relative.parts) == 1:
        return UMBRELLAS.get(relative.name)
    return relative.parts[0]


def included_layer(library, source, kind, name):
    """The layer of an included library header, or None for any other header."""
    if kind == "<":
        parts = name.split("/")
        if parts[0] != "wordmill" or len(parts) < 2:
            return None
        if len(parts) == 2:
            return UMBRELLAS.get(parts[1], "?" + parts[1])
        return parts[1]
    # A quoted include names a file relative to the including one.
    target = (source.parent / name).resolve()
    if not target.is_file() or library not in target.parents:
        return None
    return layer_of_file(library, target)


def check(library):
    rank = {layer: i for i, layer in enumerate(LAYERS)}
    problems = []
    for path in sorted(library.rglob("*")):
        if path.suffix not in SOURCE_SUFFIXES or not path.is_file():
            continue
        relative = path.relative_to(library)
        own = layer_of_file(library, path)
        if own not in rank:
            problems.append(f"{relative}: '{own or relative}' has no place in the layer order")
            continue
        lines = path.read_text(encoding="utf-8", errors="replace").splitlines()
        for number, line in enumerate(lines, 1):
            match = INCLUDE.match(line)
            if not match:
                continue
            target = included_layer(library, path, match.group(1), match.group(2))
            if target is None:
                continue
            if target not in rank:
                problems.append(f"{relative}:{number}: includes {match.group(2)}, "
                                f"which has no place in the layer order")
            elif rank[target] > rank[own]:
                problems.append(f"{relative}:{number}: {own}/ includes {match.group(2)} "
                                f"of {target}/, a layer above it")
    return problems


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    library = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else root / "wordmill").resolve()
    if not library.is_dir():
        print(f"check_layers: {library} is no folder", file=sys.stderr)
        return 2
    problems = check(library)
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        print(f"check_layers: {len(problems)} include(s) break the layer order "
              f"{' < '.join(LAYERS)}", file=sys.stderr)
        return 1
    print(f"check_layers: {library.name}/ keeps the layer order {' < '.join(LAYERS)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
