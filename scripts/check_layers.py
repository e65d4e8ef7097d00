#!/usr/bin/env python3
"""Checks that every folder of src/ includes only its own headers and those of
the folders below it, in the order written in ARCHITECTURE.md:

    platform < documents < settings < editing < search < format < view
             < diagnostics < shell < main.cpp

Prints each include that reaches up or sideways and exits 1 if there is one."""
import pathlib
import re
import sys

LAYERS = ["platform", "documents", "settings", "editing", "session", "search", "format", "view",
          "diagnostics", "shell"]
RANK = {name: i for i, name in enumerate(LAYERS)}

src = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent.parent / "src")
include = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/[^"]+"', re.M)
wrong = []
for path in sorted(src.rglob("*")):
    if path.suffix not in (".cpp", ".h"):
        continue
    relative = path.relative_to(src)
    folder = relative.parts[0] if len(relative.parts) > 1 else None
    own = RANK.get(folder, len(LAYERS))  # main.cpp sits above every folder
    if folder is not None and folder not in RANK:
        wrong.append(f"{relative}: folder '{folder}' has no place in the layers")
        continue
    for match in include.finditer(path.read_text(encoding="utf-8")):
        target = match.group(1)
        if target not in RANK:
            wrong.append(f"{relative}: includes '{match.group(0).strip()}' from an unknown folder")
        elif RANK[target] > own or (RANK[target] == own and target != folder):
            wrong.append(f"{relative}: {folder} may not include {target} "
                         f"('{match.group(0).strip()}')")
for line in wrong:
    print(line)
sys.exit(1 if wrong else 0)
