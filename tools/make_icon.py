#!/usr/bin/env python3
"""Draws the program's icon (a page with a branching site tree on it) and
writes res/quorrel.ico with a 16x16 and a 32x32 image, 32-bit with alpha."""
import struct
import sys
from pathlib import Path

PAPER = (250, 250, 245, 255)
EDGE = (60, 70, 90, 255)
FOLD = (200, 205, 215, 255)
TREE = (30, 110, 200, 255)
NODE = (230, 120, 20, 255)
CLEAR = (0, 0, 0, 0)


def draw(size):
    s = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), max(int(y0 * s) + 1, int(y1 * s))):
            for x in range(int(x0 * s), max(int(x0 * s) + 1, int(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    pixels[y][x] = colour

    # The sheet with a folded top-right corner.
    box(4, 1, 28, 31, EDGE)
    box(5, 2, 27, 30, PAPER)
    box(21, 1, 28, 8, CLEAR)
    box(21, 1, 22, 8, EDGE)
    box(21, 7, 28, 8, EDGE)
    box(22, 2, 27, 7, FOLD)
    # A root node, a trunk and three branches ending in nodes.
    box(8, 5, 13, 10, NODE)
    box(10, 10, 12, 27, TREE)
    for y in (13, 19, 25):
        box(12, y, 18, y + 2, TREE)
        box(18, y - 1, 23, y + 3, NODE)
    return pixels


def image_entry(size):
    pixels = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(pixels) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(pixels):
        bits = 0
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    return header + colour + mask


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).resolve().parent.parent / "res" / "quorrel.ico")
    images = [(size, image_entry(size)) for size in (16, 32)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, body in images:
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(body), offset)
        offset += len(body)
    data += b"".join(body for _, body in images)
    out.write_bytes(data)


if __name__ == "__main__":
    main()
