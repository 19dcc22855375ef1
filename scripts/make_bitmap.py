#!/usr/bin/env python3
"""Turns a text picture into a 4-bit .bmp with the standard 16-colour palette.

Input: rows of equal length, one character per pixel: '.' light grey, 'd' dark grey,
'w' white, '#' black; lines starting with '#' followed by a space are comments.
Usage: make_bitmap.py picture.txt out.bmp
"""
import struct
import sys

PALETTE = [  # (red, green, blue) of the 16 standard colours, in index order
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
INDEX = {".": 7, "d": 8, "w": 15, "#": 0}


def read_picture(path):
    rows = []
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("# "):
                continue
            if set(line) - set(INDEX) or (rows and len(line) != len(rows[0])):
                sys.exit(f"{path}: bad row {len(rows)}: {line!r}")
            rows.append(line)
    if not rows:
        sys.exit(f"{path}: no picture")
    return rows


def main():
    rows = read_picture(sys.argv[1])
    width, height = len(rows[0]), len(rows)
    stride = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):  # DIB rows run bottom-up
        line = bytearray(stride)
        for x, ch in enumerate(row):
            line[x // 2] |= INDEX[ch] << (0 if x % 2 else 4)
        pixels += line
    palette = b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(sys.argv[2], "wb") as f:
        f.write(header + info + palette + pixels)


if __name__ == "__main__":
    main()
