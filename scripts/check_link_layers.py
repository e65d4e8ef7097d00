#!/usr/bin/env python3
"""Checks the folder libraries' layers where the linker sees them: a library may
use only the symbols that it or a library below it defines.

    check_link_layers.py ARCHIVE...

The static archives come lowest first, in the order of QUILLET_LAYERS
(src/CMakeLists.txt). nm (binutils) reads each archive's global definitions and
its undefined symbols, mangled. A symbol the library needs is fine when the
library itself or one below it defines it, even weakly (an inline function or a
template instantiation is defined weakly by every object file that uses it), and
fine when no archive defines it (Qt, the C++ library and the system supply it).
Otherwise only a library above defines it: the include check cannot see such a
call when the header is the lower folder's own, and every program links the
libraries above anyway, so nothing else notices.

Prints each such symbol, demangled, with both libraries and the object files
that use it, and exits 1 if there is one; exits 2 when an archive cannot be
read (it has not been built)."""
import collections
import pathlib
import subprocess
import sys


def library_name(archive):
    """libquillet_view.a → quillet_view."""
    name = pathlib.Path(archive).name
    name = name[3:] if name.startswith("lib") else name
    return name[:-2] if name.endswith(".a") else name


def read_symbols(archive, which):
    """(object file, mangled name, nm's type letter) for each symbol nm lists
    with which ("--defined-only" or "--undefined-only")."""
    result = subprocess.run(["nm", "--format=posix", "--print-file-name", "--no-demangle", which,
                             archive], capture_output=True, text=True)
    if result.returncode != 0:
        raise OSError(result.stderr.strip() or f"nm could not read {archive}")
    for line in result.stdout.splitlines():
        # "path/libx.a[member.o]: name type value size"
        where, _, fields = line.rpartition(": ")
        parts = fields.split()
        if not where or len(parts) < 2:
            continue
        member = where[where.rfind("[") + 1:-1] if where.endswith("]") else pathlib.Path(where).name
        yield member, parts[0], parts[1]


def is_global_definition(kind):
    # Upper case is global (W and V weak, C common); u is a unique global and i an
    # indirect function. The other lower-case letters are local to their object file
    # and cannot satisfy another object's reference.
    return kind in "ui" or (kind.isupper() and kind not in "UN")


def demangle(names):
    result = subprocess.run(["c++filt"], input="\n".join(names) + "\n", capture_output=True,
                            text=True, check=True)
    return dict(zip(names, result.stdout.splitlines()))


def main(archives):
    if not archives:
        print(__doc__, file=sys.stderr)
        return 2
    defined = []  # per library: the symbols it defines
    needed = []  # per library: symbol → the object files that use it
    for archive in archives:
        if not pathlib.Path(archive).is_file():
            print(f"{archive}: no such archive; build the libraries first", file=sys.stderr)
            return 2
        try:
            own = {name for _, name, kind in read_symbols(archive, "--defined-only")
                   if is_global_definition(kind)}
            uses = collections.defaultdict(set)
            for member, name, _ in read_symbols(archive, "--undefined-only"):
                if name not in own:
                    uses[name].add(member)
        except OSError as error:
            print(error, file=sys.stderr)
            return 2
        defined.append(own)
        needed.append(uses)

    definers = collections.defaultdict(list)
    for index, own in enumerate(defined):
        for name in own:
            definers[name].append(index)
    reaches = []  # (library index, mangled name, libraries that define it, object files)
    for index, uses in enumerate(needed):
        for name, members in uses.items():
            above = definers.get(name, [])
            if above and min(above) > index:
                reaches.append((index, name, above, members))
    if not reaches:
        return 0

    readable = demangle(sorted({name for _, name, _, _ in reaches}))
    names = [library_name(archive) for archive in archives]
    for index, name, above, members in sorted(reaches, key=lambda r: (r[0], readable[r[1]])):
        print(f"{names[index]} uses {readable[name]}, defined only above it in "
              f"{', '.join(names[i] for i in above)} (used in {', '.join(sorted(members))})")
    return 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
