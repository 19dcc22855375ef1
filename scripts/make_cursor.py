#!/usr/bin/env python3
"""Turns a text picture of a 32x32 monochrome cursor into a .cur file.

Input: lines of 32 characters, '.' transparent, '#' black, 'o' white, '*' inverted;
a line 'hotspot X Y' gives the hot spot; lines starting with '#' followed by a space
are comments. Usage: make_cursor.py picture.txt out.cur
"""
import struct
import sys

SIZE = 32


def read_picture(path):
    rows, hotspot = [], None
    with open(path, encoding="ascii") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("# "):
                continue
            if line.startswith("hotspot"):
                _, x, y = line.split()
                hotspot = (int(x), int(y))
                continue
            if len(line) != SIZE or set(line) - set(".#o*"):
                sys.exit(f"{path}: bad row {len(rows)}: {line!r}")
            rows.append(line)
    if len(rows) != SIZE or hotspot is None:
        sys.exit(f"{path}: need {SIZE} rows and a hotspot line")
    return rows, hotspot


def masks(rows):
    # AND/XOR: '.' 1/0 transparent, '#' 0/0 black, 'o' 0/1 white, '*' 1/1 inverted.
    and_bits = {".": 1, "#": 0, "o": 0, "*": 1}
    xor_bits = {".": 0, "#": 0, "o": 1, "*": 1}
    xor_data, and_data = bytearray(), bytearray()
    for row in reversed(rows):  # DIB rows run bottom-up
        for table, out in ((xor_bits, xor_data), (and_bits, and_data)):
            value = 0
            for ch in row:
                value = (value << 1) | table[ch]
            out += value.to_bytes(SIZE // 8, "big")
    return bytes(xor_data), bytes(and_data)


def main():
    rows, (hx, hy) = read_picture(sys.argv[1])
    xor_data, and_data = masks(rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0,
                         len(xor_data) + len(and_data), 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + xor_data + and_data
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, hx, hy, len(image), 6 + 16)
    with open(sys.argv[2], "wb") as f:
        f.write(directory + entry + image)


if __name__ == "__main__":
    main()
