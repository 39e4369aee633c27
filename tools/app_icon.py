#!/usr/bin/env python3
"""Draws the application icon and writes resources/app.ico.

Run by hand after changing the icon, then commit app.ico:

    python3 tools/app_icon.py [output-file]

The icon shows the dock itself: a glass strip carrying three icons, the
middle one magnified and raised as under the pointer. It is drawn at 16, 32,
48 and 256 pixels from one resolution-independent function; the small sizes
are stored as 32-bit BMP images with their AND mask, the 256-pixel one as PNG,
which is what Windows expects in an .ico. Uses make_pictures.py's renderer and
encoder (standard library only), so the output is the same on every run.
"""

import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_pictures import clamp, png_bytes, render, rounded_box_distance  # noqa: E402

SIZES = (16, 32, 48, 256)

# Everything below is drawn in a 0..1 square; (0, 0) is the top-left corner.
STRIP = (0.04, 0.56, 0.96, 0.90, 0.10)  # left, top, right, bottom, corner radius
TILES = [
    # left, top, right, bottom, radius, top colour, bottom colour
    (0.10, 0.56, 0.32, 0.78, 0.05, (0.36, 0.74, 1.00), (0.05, 0.33, 0.86)),
    (0.31, 0.20, 0.69, 0.58, 0.08, (1.00, 0.80, 0.30), (0.93, 0.40, 0.05)),
    (0.68, 0.56, 0.90, 0.78, 0.05, (0.55, 0.92, 0.45), (0.10, 0.58, 0.18)),
]


def over(top, bottom):
    """Straight-alpha 'top over bottom'."""
    tr, tg, tb, ta = top
    br, bg, bb, ba = bottom
    a = ta + ba * (1 - ta)
    if a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    mix = lambda t, b: (t * ta + b * ba * (1 - ta)) / a  # noqa: E731
    return (mix(tr, br), mix(tg, bg), mix(tb, bb), a)


def coverage(d, pixel):
    """Antialiased inside-ness of a signed distance, in units of the square."""
    return clamp(0.5 - d / pixel)


def tile(x, y, box, pixel):
    left, top, right, bottom, radius, high, low = box
    d = rounded_box_distance(x, y, left, top, right, bottom, radius)
    c = coverage(d, pixel)
    if c <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    t = clamp((y - top) / (bottom - top))
    colour = [h + (lo - h) * t for h, lo in zip(high, low)]
    # A gloss on the upper half, fading out towards the middle.
    if t < 0.5:
        gloss = 0.45 * (1 - t / 0.5) ** 1.5
        colour = [v + (1 - v) * gloss for v in colour]
    # A thin darker rim gives the tile an edge on light and dark desktops.
    rim = coverage(-d - 1.2 * pixel, pixel)
    colour = [v * (0.72 + 0.28 * rim) for v in colour]
    return (colour[0], colour[1], colour[2], c)


def shadow(x, y, box, pixel):
    left, top, right, bottom, radius = box[:5]
    d = rounded_box_distance(x, y - 0.025, left, top, right, bottom, radius)
    soft = max(pixel, 0.035)
    return (0.0, 0.0, 0.0, 0.35 * clamp(0.5 - d / soft))


def strip(x, y, pixel):
    left, top, right, bottom, radius = STRIP
    d = rounded_box_distance(x, y, left, top, right, bottom, radius)
    c = coverage(d, pixel)
    t = clamp((y - top) / (bottom - top))
    glass = (0.93, 0.96, 1.0, (0.42 + 0.40 * t) * c)
    rim = coverage(abs(d + 0.6 * pixel) - 0.6 * pixel, pixel)
    return over((1.0, 1.0, 1.0, 0.9 * rim), glass)


def icon(x, y, pixel):
    colour = strip(x, y, pixel)
    for box in TILES:
        colour = over(shadow(x, y, box, pixel), colour)
        colour = over(tile(x, y, box, pixel), colour)
    return colour


def draw(size):
    pixel = 1.0 / size
    return render(size, size, lambda px, py: icon(px * pixel, py * pixel, pixel), 4)


def bmp_image(rows):
    """A 32-bit BGRA DIB, bottom-up, followed by its 1-bit AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            pixels += bytes((b, g, r, a))
    mask = bytearray()
    stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def ico_bytes(images):
    """images: (size, data) pairs; sizes of 256 are written as 0."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b""
    for size, data in images:
        side = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + entries + b"".join(data for _, data in images)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    target = argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources", "app.ico")
    images = []
    for size in SIZES:
        rows = draw(size)
        images.append((size, png_bytes(rows) if size >= 256 else bmp_image(rows)))
    data = ico_bytes(images)
    with open(target, "wb") as f:
        f.write(data)
    print(f"app.ico: {', '.join(str(s) for s in SIZES)} px, {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
