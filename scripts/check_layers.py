#!/usr/bin/env python3
"""Checks that every file of src/ includes only its own folder's headers and
those of the folders below it:

    check_layers.py SRC_DIR LAYER...

The layers come lowest first, as QUILLET_LAYERS in src/CMakeLists.txt lists them
(the test layers.includes passes that list); main.cpp sits above them all. A
listed folder need not exist yet; a folder of src/ that is not listed is an
error.

Prints each include that reaches up or sideways and exits 1 if there is one.
Includes are only half of it: a call declared in a lower folder's header but
defined above passes here, and scripts/check_link_layers.py (layers.symbols)
finds it in the built libraries."""
import pathlib
import re
import sys

if len(sys.argv) < 3:
    sys.exit(__doc__)
src = pathlib.Path(sys.argv[1])
LAYERS = sys.argv[2:]
RANK = {name: i for i, name in enumerate(LAYERS)}

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
