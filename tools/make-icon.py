#!/usr/bin/env python3
"""Draws a program's icon as a .ico file in 16, 32, 48 and 256 pixels.

setup and uninstall: the face and bevel colours of the installer pair's drawn
buttons, drawn on a 32-unit grid; the white mark tells the two apart, an arrow
into a tray for setup, a cross for uninstall.

converter and codec: the converter's program picture on a 16-unit square, a
dark blue tile with a note; the converter shows a wave beside the note, the
codec installer an arrow into a tray. These are smoothed the way the
converter smooths its own pictures, by averaging several samples per pixel.

The 256-pixel image is stored as PNG, the others as 32-bit bitmaps with a mask.

usage: make-icon.py setup|uninstall|converter|codec OUTPUT.ico
"""
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)
PNG_FROM = 256

# The installer pair's buttons.
FACE = (0, 0, 161)
LIGHT = (0, 0, 255)
SHADOW = (0, 0, 91)
WHITE = (255, 255, 255)

# The converter's program picture.
TILE = (20, 50, 120)
TILE_EDGE = (10, 25, 70)
TILE_TOP = (40, 90, 170)
WAVE = (250, 200, 90)
ARROW = (200, 110, 20)
ARROW_EDGE = (150, 70, 0)


def arrow_into_tray(x, y):
    shaft = 13 <= x < 19 and 6 <= y < 16
    head = 16 <= y < 22 and abs(x - 16) <= 22 - y
    tray = (24 <= y < 26 and 7 <= x < 25) or (7 <= x < 9 or 23 <= x < 25) and 20 <= y < 26
    return shaft or head or tray


def cross(x, y):
    return 7 <= x < 25 and 7 <= y < 25 and (abs(x - y) <= 1.5 or abs(x + y - 32) <= 1.5)


def installer_picture(mark):
    """Colour at x, y of the 32-unit grid (y downwards), None where transparent."""

    def colour(x, y):
        if x < 2 or y < 2 or x >= 30 or y >= 30:
            return None
        if x >= 28 or y >= 28:
            return SHADOW
        if x < 4 or y < 4:
            return LIGHT
        return WHITE if mark(x, y) else FACE

    return 32, colour


# Shapes of the 16-unit pictures, each a test whether a point lies inside.
def round_box(left, top, right, bottom, radius=0.0):
    def inside(x, y):
        if not (left <= x < right and top <= y < bottom):
            return False
        dx = max(left + radius - x, x - (right - radius), 0)
        dy = max(top + radius - y, y - (bottom - radius), 0)
        return dx * dx + dy * dy <= radius * radius

    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def polygon(points):
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    left, right, top, bottom = min(xs), max(xs), min(ys), max(ys)

    def inside(x, y):
        if not (left <= x <= right and top <= y <= bottom):
            return False
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    return inside


def outlined(shape_at, pen, fill, edge):
    """A shape in its edge colour with the same shape, pen units smaller, in its fill."""
    return [(shape_at(0), edge), (shape_at(pen), fill)]


def note(x, y, k, colour):
    return [
        (circle(x + 2.2 * k, y + 10.5 * k, 2.2 * k), colour),
        (round_box(x + 3.6 * k, y + 1.5 * k, x + 4.8 * k, y + 10.5 * k), colour),
        (polygon([(x + 4.2 * k, y + 1.5 * k), (x + 8 * k, y + 4 * k), (x + 8 * k, y + 5.5 * k),
                  (x + 4.2 * k, y + 3.5 * k)]), colour),
    ]


def wave_bars(x, y, k, colour):
    bars = []
    for i, height in enumerate((3, 7, 10, 6, 9, 4)):
        h = height * k
        left = x + i * 1.3 * k
        bars.append((round_box(left, y + (12 * k - h) / 2, left + 0.9 * k, y + (12 * k + h) / 2, 0.3 * k), colour))
    return bars


def tile():
    return outlined(lambda inset: round_box(0.5 + inset, 0.5 + inset, 15.5 - inset, 15.5 - inset, 2 - inset),
                    0.5, TILE, TILE_EDGE) + [(round_box(1.3, 1.3, 14.7, 8, 1.5), TILE_TOP)]


def arrow_down_into_tray():
    head = [(9.2, 6.5), (11, 6.5), (11, 4), (12.6, 4), (12.6, 6.5), (14.4, 6.5), (11.8, 10)]
    shrink = [(9.9, 7.1), (11.5, 7.1), (11.5, 4.5), (12.1, 4.5), (12.1, 7.1), (13.7, 7.1), (11.8, 9.2)]
    tray = [(round_box(8.6, 12.2, 15, 13.4, 0.4), WAVE), (round_box(8.6, 10, 9.8, 13.4, 0.4), WAVE),
            (round_box(13.8, 10, 15, 13.4, 0.4), WAVE)]
    return [(polygon(head), ARROW_EDGE), (polygon(shrink), ARROW)] + tray


def program_picture(marks):
    topmost_first = list(reversed(tile() + note(2, 1.5, 0.85, WHITE) + marks))

    def colour(x, y):
        for inside, shape_colour in topmost_first:
            if inside(x, y):
                return shape_colour
        return None

    return 16, colour


PICTURES = {
    "setup": (lambda: installer_picture(arrow_into_tray), 1),
    "uninstall": (lambda: installer_picture(cross), 1),
    "converter": (lambda: program_picture(wave_bars(8.2, 4.5, 0.5, WAVE)), 4),
    "codec": (lambda: program_picture(arrow_down_into_tray()), 4),
}


def render(picture, samples, size):
    """Rows of (r, g, b, a), top row first, averaging samples x samples points per pixel."""
    units, colour_at = picture
    samples = max(1, samples * 128 // max(size, 128))  # large images need fewer samples for the same smoothness
    scale = units / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(samples):
                y = (py + (sy + 0.5) / samples) * scale
                for sx in range(samples):
                    c = colour_at((px + (sx + 0.5) / samples) * scale, y)
                    if c is not None:
                        r, g, b, covered = r + c[0], g + c[1], b + c[2], covered + 1
            if covered:
                row.append((r // covered, g // covered, b // covered, 255 * covered // (samples * samples)))
            else:
                row.append((0, 0, 0, 0))
        rows.append(row)
    return rows


def bitmap_image(rows):
    size = len(rows)
    mask_stride = (size + 31) // 32 * 4
    pixels = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            pixels += bytes((b, g, r, a))
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_image(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            png_chunk(b"IDAT", zlib.compress(raw, 9)) + png_chunk(b"IEND", b""))


def icon_bytes(picture, samples):
    images = []
    for size in SIZES:
        rows = render(picture, samples, size)
        images.append((size, png_image(rows) if size >= PNG_FROM else bitmap_image(rows)))
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in images:
        side = size % 256  # 0 stands for 256
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(image for _, image in images)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in PICTURES:
        sys.exit(__doc__)
    make_picture, samples = PICTURES[sys.argv[1]]
    with open(sys.argv[2], "wb") as out:
        out.write(icon_bytes(make_picture(), samples))


if __name__ == "__main__":
    main()
