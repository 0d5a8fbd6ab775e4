#!/usr/bin/env python3
"""Draws the program icon and writes it as a one-image .ico: 48 x 48, 32 bits per pixel
(BGRA, every alpha 255), an uncompressed DIB with its AND mask.

    python3 tools/make_icon.py src/resources/program.ico
"""
import math
import struct
import sys

SIZE = 48


def pixel(x, y):
    """A sheet of paper with ruled lines and a blue pen stroke, on a deep teal tile."""
    cx, cy = x + 0.5, y + 0.5
    # Tile with a soft vertical gradient.
    t = cy / SIZE
    r, g, b = int(20 + 20 * t), int(90 + 40 * t), int(110 + 40 * t)
    # Paper with a darker edge.
    if 10 <= cx <= 36 and 6 <= cy <= 42:
        r, g, b = 250, 248, 240
        if cx < 11 or cx > 35 or cy < 7 or cy > 41:
            r, g, b = 150, 150, 140
        elif int(cy) in (14, 20, 26, 32) and 14 <= cx <= 32:
            r, g, b = 120, 150, 200
    # A pen lying across the paper's corner.
    d = abs((cx - 24) - (cy - 24) * -1.0) / math.sqrt(2)  # distance from the line x + y = 48
    along = (cx - cy) / math.sqrt(2)
    if d < 2.6 and -16 < along < 16:
        r, g, b = (200, 60, 40) if along > 11 else (30, 60, 160)
        if d < 1.0 and along <= 11:
            r, g, b = 90, 130, 220
    return b, g, r, 255


def main(path):
    header = struct.pack('<IiiHHIIiiII', 40, SIZE, SIZE * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(SIZE - 1, -1, -1):  # bottom-up
        rows.append(b''.join(struct.pack('<BBBB', *pixel(x, y)) for x in range(SIZE)))
    mask_row = bytes(8)  # 48 bits, padded to 32-bit rows; all zero: fully opaque
    image = header + b''.join(rows) + mask_row * SIZE
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    data = directory + entry + image
    assert len(image) == 9640 and len(data) == 9662
    with open(path, 'wb') as f:
        f.write(data)


if __name__ == '__main__':
    main(sys.argv[1])
