#!/usr/bin/python3
"""Writes the picture test file: a PNG whose header claims 200000 x 200000 RGB pixels (160 GB
once decoded, more than any machine holds) and whose data is one empty row.

Run from this folder: /usr/bin/python3 make_pictures.py
"""

import struct
import zlib

WIDTH = HEIGHT = 200000


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)  # 8 bits, RGB, no interlace
with open("picture_too_large.png", "wb") as out:
    out.write(b"\x89PNG\r\n\x1a\n")
    out.write(chunk(b"IHDR", header))
    out.write(chunk(b"IDAT", zlib.compress(b"\0")))
    out.write(chunk(b"IEND", b""))
