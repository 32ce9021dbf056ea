#!/usr/bin/env python3
"""Draws the 32x32 icon of an installer program as a .ico file.

The face and bevel colours are those of the programs' drawn buttons; the white
mark tells the two programs apart: an arrow into a tray for setup, a cross for
uninstall.

usage: make-icon.py setup|uninstall OUTPUT.ico
"""
import struct
import sys

SIZE = 32
FACE = (0, 0, 161)
LIGHT = (0, 0, 255)
SHADOW = (0, 0, 91)
WHITE = (255, 255, 255)


def arrow_into_tray(x, y):
    shaft = 13 <= x <= 18 and 6 <= y <= 15
    head = 16 <= y <= 21 and abs(x - 15.5) <= 21.5 - y
    tray = (y in (24, 25) and 7 <= x <= 24) or (7 <= x <= 8 or 23 <= x <= 24) and 20 <= y <= 25
    return shaft or head or tray


def cross(x, y):
    return 7 <= x <= 24 and 7 <= y <= 24 and (abs(x - y) <= 1 or abs(x + y - 31) <= 1)


def pixel(x, y, mark):
    """Colour at column x, row y (row 0 at the top)."""
    if x < 2 or y < 2 or x > 29 or y > 29:
        return None  # transparent margin
    if x >= 28 or y >= 28:
        return SHADOW
    if x <= 3 or y <= 3:
        return LIGHT
    return WHITE if mark(x, y) else FACE


def icon_bytes(mark):
    rows = []
    mask_rows = []
    for y in reversed(range(SIZE)):  # bitmaps are stored bottom-up
        row = bytearray()
        mask = 0
        for x in range(SIZE):
            colour = pixel(x, y, mark)
            if colour is None:
                row += bytes((0, 0, 0, 0))
                mask |= 1 << (31 - x)
            else:
                r, g, b = colour
                row += bytes((b, g, r, 255))
        rows.append(bytes(row))
        mask_rows.append(struct.pack(">I", mask))
    pixels = b"".join(rows) + b"".join(mask_rows)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(pixels), 0, 0, 0, 0)
    image = header + pixels
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16)
    return directory + entry + image


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("setup", "uninstall"):
        sys.exit(__doc__)
    mark = arrow_into_tray if sys.argv[1] == "setup" else cross
    with open(sys.argv[2], "wb") as out:
        out.write(icon_bytes(mark))


if __name__ == "__main__":
    main()
