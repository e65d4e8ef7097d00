#!/usr/bin/env python3
"""The bench's documents: Russian text in Windows-1251, as Quillet's users keep it.

    documents.py small PATH    writes the small document (30 000 bytes, CR LF)
"""

import sys

LINES = [
    "Съешь же ещё этих мягких французских булок, да выпей чаю. 0123456789",
    "В чащах юга жил бы цитрус? Да, но фальшивый экземпляр!",
    "Широкая электрификация южных губерний даст мощный толчок подъёму сельского хозяйства.",
    "Эх, жирафы честно в цель шагают, да щук объять за память ёлкой.",
]


def cyrillic(size, newline):
    out, n, i = [], 0, 0
    while n < size:
        line = (LINES[i % len(LINES)] + " " + str(i)).encode("cp1251") + newline
        out.append(line)
        n += len(line)
        i += 1
    return b"".join(out)[:size]


def small():
    """30 000 bytes with CR LF line breaks, not ending inside one."""
    text = cyrillic(30000, b"\r\n")
    if text.endswith(b"\r"):
        text = text[:-1] + b"."
    return text


if __name__ == "__main__":
    if len(sys.argv) != 3 or sys.argv[1] != "small":
        raise SystemExit(__doc__)
    with open(sys.argv[2], "wb") as f:
        f.write(small())
