#!/usr/bin/env python3
"""Writes the pixels of an 8-bit RGBA PNG (what rsvg-convert renders) as raw
RGBA bytes, row after row, with straight (not premultiplied) alpha.

    icon-pixels.py picture.png pixels.rgba

The program shows its window icon from these: they need no decoding at start-up.
"""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def rgba_rows(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit("not a PNG")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    if (depth, colour, interlace) != (8, 6, 0):
        raise SystemExit("only 8-bit RGBA PNGs without interlacing are read")
    raw = zlib.decompress(idat)
    stride = width * 4
    previous = bytearray(stride)
    out = bytearray()
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            a = line[x - 4] if x >= 4 else 0
            b = previous[x]
            c = previous[x - 4] if x >= 4 else 0
            if kind == 1:
                line[x] = (line[x] + a) & 0xFF
            elif kind == 2:
                line[x] = (line[x] + b) & 0xFF
            elif kind == 3:
                line[x] = (line[x] + (a + b) // 2) & 0xFF
            elif kind == 4:
                line[x] = (line[x] + paeth(a, b, c)) & 0xFF
        out += line
        previous = line
    return bytes(out)


with open(sys.argv[1], "rb") as f:
    pixels = rgba_rows(f.read())
with open(sys.argv[2], "wb") as f:
    f.write(pixels)
