#!/usr/bin/env python3
"""Draws Tamsel's application icon and writes res/tamsel.ico.

The icon is a small camera body with a lens and a red recording dot, drawn from
shapes in unit coordinates so every size is rendered from the same picture rather
than scaled from a bitmap. The file carries 16, 24, 32 and 48 pixel images in 16
colours, 256 colours and 32-bit colour, and a 256 pixel 32-bit image stored as PNG,
which is what Windows picks from for each display and DPI.

Only the standard library is used, so anyone can regenerate the icon; the build
uses the committed .ico and never runs this script.

Usage: scripts/make-icon.py [output.ico]
"""

import math
import os
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48)
BIT_DEPTHS = (4, 8, 32)
LARGE_PNG_SIZE = 256
SUPERSAMPLE = 4


def rounded_rect(x, y, left, top, right, bottom, radius):
    """True when (x, y) lies inside the rounded rectangle."""
    if x < left or x > right or y < top or y > bottom:
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


# Layers from back to front: (test, RGB). Colours: a slate-blue body, a light lens
# ring, a blue glass with a highlight, a red recording dot and a pale SD-card slot.
BODY = (43, 58, 85)
BODY_TOP = (62, 82, 118)
LENS_RING = (200, 206, 216)
LENS_GLASS = (31, 111, 178)
LENS_DEEP = (18, 58, 102)
HIGHLIGHT = (235, 244, 255)
RECORD = (229, 57, 53)
SD_SLOT = (240, 196, 64)

LAYERS = (
    (lambda x, y: rounded_rect(x, y, 0.20, 0.16, 0.46, 0.32, 0.04), BODY),
    (lambda x, y: rounded_rect(x, y, 0.06, 0.26, 0.94, 0.86, 0.10), BODY),
    (lambda x, y: rounded_rect(x, y, 0.06, 0.26, 0.94, 0.40, 0.10)
     and y < 0.36, BODY_TOP),
    (lambda x, y: rounded_rect(x, y, 0.74, 0.70, 0.90, 0.80, 0.02), SD_SLOT),
    (lambda x, y: circle(x, y, 0.47, 0.58, 0.23), LENS_RING),
    (lambda x, y: circle(x, y, 0.47, 0.58, 0.17), LENS_GLASS),
    (lambda x, y: circle(x, y, 0.47, 0.58, 0.09), LENS_DEEP),
    (lambda x, y: circle(x, y, 0.41, 0.52, 0.045), HIGHLIGHT),
    (lambda x, y: circle(x, y, 0.82, 0.40, 0.06), RECORD),
)


def render(size):
    """RGBA rows, top row first, each pixel averaged over SUPERSAMPLE^2 samples."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for test, rgb in LAYERS:
                        if test(x, y):
                            colour = rgb
                    if colour is not None:
                        r += colour[0]
                        g += colour[1]
                        b += colour[2]
                        a += 1.0
            if a > 0:
                rgba = (round(r / a), round(g / a), round(b / a), round(255 * a / (n * n)))
            else:
                rgba = (0, 0, 0, 0)
            row.append(rgba)
        rows.append(row)
    return rows


# The 16-colour palette every Windows display knows.
VGA_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def palette_256():
    """A 6x6x6 colour cube, then a grey ramp and the icon's own colours."""
    levels = (0, 51, 102, 153, 204, 255)
    colours = [(r, g, b) for r in levels for g in levels for b in levels]
    own = [BODY, BODY_TOP, LENS_RING, LENS_GLASS, LENS_DEEP, HIGHLIGHT, RECORD, SD_SLOT]
    colours += own
    grey = 8
    while len(colours) < 256:
        colours.append((grey, grey, grey))
        grey += 6
    return colours[:256]


def nearest(palette, rgb):
    best, best_distance = 0, None
    for index, entry in enumerate(palette):
        distance = sum((entry[i] - rgb[i]) ** 2 for i in range(3))
        if best_distance is None or distance < best_distance:
            best, best_distance = index, distance
    return best


def row_padded(data):
    return data + b"\0" * ((4 - len(data) % 4) % 4)


def and_mask(rows, opaque):
    """1 bit per pixel, bottom row first; a set bit is transparent."""
    out = b""
    for row in reversed(rows):
        bits = bytearray((len(row) + 7) // 8)
        for x, pixel in enumerate(row):
            if not opaque(pixel):
                bits[x // 8] |= 0x80 >> (x % 8)
        out += row_padded(bytes(bits))
    return out


def dib_image(rows, bit_count):
    size = len(rows)
    if bit_count == 32:
        palette = []
        xor = b""
        for row in reversed(rows):
            xor += b"".join(bytes((b, g, r, a)) for r, g, b, a in row)
        mask = and_mask(rows, lambda p: p[3] > 0)
    else:
        palette = VGA_PALETTE if bit_count == 4 else palette_256()
        indices = []
        for row in rows:
            indices.append([nearest(palette, p[:3]) if p[3] >= 128 else 0 for p in row])
        xor = b""
        for index_row in reversed(indices):
            if bit_count == 4:
                packed = bytearray((size + 1) // 2)
                for x, index in enumerate(index_row):
                    packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
                xor += row_padded(bytes(packed))
            else:
                xor += row_padded(bytes(index_row))
        mask = and_mask(rows, lambda p: p[3] >= 128)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bit_count, 0,
                         len(xor) + len(mask), 0, 0, len(palette), 0)
    colour_table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    return header + colour_table + xor + mask, len(palette)


def png_image(rows):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    size = len(rows)
    raw = b"".join(b"\0" + b"".join(bytes(p) for p in row) for row in rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "res", "tamsel.ico")

    images = []  # (size, colour count byte, bit count, bytes)
    for size in SIZES:
        rows = render(size)
        for bit_count in BIT_DEPTHS:
            data, colours = dib_image(rows, bit_count)
            images.append((size, colours if colours < 256 else 0, bit_count, data))
    images.append((LARGE_PNG_SIZE, 0, 32, png_image(render(LARGE_PNG_SIZE))))

    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, colours, bit_count, data in images:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bit_count,
                               len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(directory + entries + b"".join(image[3] for image in images))
    print(f"wrote {output}: {len(images)} images")


if __name__ == "__main__":
    main()
