#!/usr/bin/env python3
"""Draws the dock's built-in pictures and writes them as 8-bit RGBA PNG files.

Run by hand after changing a picture, then commit the PNGs:

    python3 tools/make_pictures.py [output-directory]

The output directory defaults to resources/pictures. Standard library only
(zlib + struct); the output is byte-for-byte the same on every run.

Each picture is a function from a point (x, y) in pixel units, origin at the
top-left corner of the picture, to a straight-alpha colour (r, g, b, a) with
components in 0..1. The renderer samples that function on an n x n grid
inside every pixel and averages the premultiplied samples, which antialiases
every edge. To add a picture, write its function and add a line to PICTURES.
"""

import math
import os
import struct
import sys
import zlib

# ---------------------------------------------------------------- rendering


def render(width, height, shade, samples):
    """Returns rows of (r, g, b, a) byte tuples for one picture."""
    offsets = [(i + 0.5) / samples for i in range(samples)]
    count = samples * samples
    rows = []
    for y in range(height):
        row = []
        for x in range(width):
            pr = pg = pb = pa = 0.0
            for oy in offsets:
                for ox in offsets:
                    r, g, b, a = shade(x + ox, y + oy)
                    pr += r * a
                    pg += g * a
                    pb += b * a
                    pa += a
            row.append(to_bytes(pr / count, pg / count, pb / count, pa / count))
        rows.append(row)
    return rows


def to_bytes(pr, pg, pb, pa):
    """Premultiplied 0..1 components to straight-alpha bytes."""
    alpha = round(clamp(pa) * 255)
    if alpha == 0:
        return (0, 0, 0, 0)
    return (
        round(clamp(pr / pa) * 255),
        round(clamp(pg / pa) * 255),
        round(clamp(pb / pa) * 255),
        alpha,
    )


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def png_bytes(rows):
    """Encodes rows of RGBA byte tuples as a PNG of colour type 6, depth 8."""
    height = len(rows)
    width = len(rows[0])
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type None: the images are small and flat
        for pixel in row:
            raw.extend(pixel)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (
        b"\x89PNG\r\n\x1a\n"
        + chunk(b"IHDR", header)
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
        + chunk(b"IEND", b"")
    )


# ---------------------------------------------------------------- shapes


def rounded_box_distance(x, y, left, top, right, bottom, radius):
    """Signed distance to a rounded rectangle: negative inside."""
    cx, cy = (left + right) / 2, (top + bottom) / 2
    qx = abs(x - cx) - (right - left) / 2 + radius
    qy = abs(y - cy) - (bottom - top) / 2 + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def nearest_on_polyline(x, y, points):
    """Distance to a polyline and the unit vector from it towards (x, y)."""
    best = (float("inf"), 0.0, 0.0)
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        dx, dy = bx - ax, by - ay
        t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy))
        ox, oy = x - (ax + t * dx), y - (ay + t * dy)
        d = math.hypot(ox, oy)
        if d < best[0]:
            best = (d, ox, oy)
    d, ox, oy = best
    if d == 0:
        return 0.0, 0.0, 0.0
    return d, ox / d, oy / d


def normalize(x, y, z):
    n = math.sqrt(x * x + y * y + z * z)
    return x / n, y / n, z / n


# ---------------------------------------------------------------- pictures

TRANSPARENT = (0.0, 0.0, 0.0, 0.0)


def background(x, y):
    """White glass plate, 107 x 104: a one-pixel light rim on the rounded
    rectangle from (13, 13) to (94, 94) (columns 13 and 93, rows 13 and 93),
    glass inside whose alpha rises from 20 to 125 downwards, and a soft black
    shadow outside that fades from 100 to 1 across the 13-pixel margin."""
    d = rounded_box_distance(x, y, 13, 13, 94, 94, 8)
    if d > 0:
        # Exponential fade: 100 at the rim, 1 half a pixel before the margin's end.
        alpha = 100 * math.exp(-math.log(100) * max(d - 0.5, 0.0) / 12)
        return (0.0, 0.0, 0.0, alpha / 255)
    if d > -1:
        # The rim is brighter along the top, as if lit from above.
        t = clamp((y - 13) / 81)
        return (1.0, 1.0, 1.0, (235 - 60 * t) / 255)
    t = clamp((y - 14) / 79)
    return (1.0, 1.0, 1.0, (20 + 105 * t) / 255)


def selected_tray(x, y):
    """The plate behind the magnified item: white at alpha 1 everywhere, so
    that it is practically invisible but still catches the pointer."""
    return (1.0, 1.0, 1.0, 1 / 255)


def _question_mark_path():
    # The hook: an arc round (36, 25) from the lower left over the top to the
    # lower right, then a bend down into the stem.
    points = []
    cx, cy, radius = 36.0, 25.0, 13.0
    start, end = math.radians(200), math.radians(-40)
    steps = 40
    for i in range(steps + 1):
        angle = start + (end - start) * i / steps
        points.append((cx + radius * math.cos(angle), cy - radius * math.sin(angle)))
    ex, ey = points[-1]
    # A quadratic curve from the arc's end into the top of the stem.
    c1x, c1y, sx, sy = 36.0, 38.0, 36.0, 43.0
    for i in range(1, 13):
        t = i / 12
        px = (1 - t) ** 2 * ex + 2 * (1 - t) * t * c1x + t * t * sx
        py = (1 - t) ** 2 * ey + 2 * (1 - t) * t * c1y + t * t * sy
        points.append((px, py))
    points.append((36.0, 47.0))
    return points


QUESTION_PATH = _question_mark_path()
QUESTION_HALF_WIDTH = 5.0
DOT_CENTRE = (36.0, 59.0)
DOT_RADIUS = 5.6
LIGHT = normalize(-0.45, -0.65, 0.62)  # from the upper left, towards the viewer
HALF_VECTOR = normalize(LIGHT[0], LIGHT[1], LIGHT[2] + 1.0)
BASE_BLUE = (0.13, 0.42, 0.93)
EDGE_BLUE = (0.02, 0.15, 0.48)


def _glossy(n, ux, uy, y):
    """Shades a point of a round tube or sphere: n is the distance from its
    axis or centre in units of its radius, (ux, uy) the direction outwards."""
    nz = math.sqrt(max(0.0, 1 - n * n))
    nx, ny = ux * n, uy * n
    diffuse = max(0.0, nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2])
    specular = max(0.0, nx * HALF_VECTOR[0] + ny * HALF_VECTOR[1] + nz * HALF_VECTOR[2]) ** 28
    # A little lighter at the top of the glyph, deeper at the bottom.
    lift = 0.12 * (1 - clamp((y - 10) / 55))
    shade = 0.30 + 0.78 * diffuse + lift
    edge = clamp((n - 0.78) / 0.22)
    colour = [c * shade * (1 - edge) + e * edge for c, e in zip(BASE_BLUE, EDGE_BLUE)]
    return tuple(clamp(c + 0.95 * specular) for c in colour)


QUESTION_SCALE = 1.12  # the glyph is drawn round the picture's centre at this size


def default_item(x, y):
    """A glossy blue question mark on a transparent background, 72 x 72,
    with a small soft shadow under its dot."""
    # The dot's shadow: a soft ellipse on the ground just below it.
    sx, sy = (x - 36.5) / 9.0, (y - 69.2) / 2.3
    e = sx * sx + sy * sy
    shadow = (0.0, 0.0, 0.08, 0.42 * (1 - e) ** 1.5) if e < 1 else TRANSPARENT
    x = 36 + (x - 36) / QUESTION_SCALE
    y = 36 + (y - 36) / QUESTION_SCALE
    d, ux, uy = nearest_on_polyline(x, y, QUESTION_PATH)
    if d < QUESTION_HALF_WIDTH:
        return _glossy(d / QUESTION_HALF_WIDTH, ux, uy, y) + (1.0,)
    dx, dy = x - DOT_CENTRE[0], y - DOT_CENTRE[1]
    r = math.hypot(dx, dy)
    if r < DOT_RADIUS:
        ux, uy = (dx / r, dy / r) if r > 0 else (0.0, 0.0)
        return _glossy(r / DOT_RADIUS, ux, uy, y) + (1.0,)
    return shadow


def running_indicator(x, y):
    """A small soft light, 12 x 6, on the strip under a running item: a
    white core fading through pale blue to transparent at an elliptical
    edge, so that it reads on the light glass and on a dark desktop alike."""
    dx, dy = (x - 6) / 5.8, (y - 3) / 2.9
    e = dx * dx + dy * dy
    if e >= 1:
        return TRANSPARENT
    core = clamp(1 - e / 0.4)
    colour = (0.55 + 0.45 * core, 0.80 + 0.20 * core, 1.0)
    return colour + ((1 - e) ** 0.8,)


# name, width, height, function, samples per pixel side
PICTURES = [
    ("background.png", 107, 104, background, 8),
    ("selected_tray.png", 96, 96, selected_tray, 1),
    ("default_item.png", 72, 72, default_item, 6),
    ("running_indicator.png", 12, 6, running_indicator, 8),
]


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(here, "..", "resources", "pictures")
    os.makedirs(out_dir, exist_ok=True)
    for name, width, height, shade, samples in PICTURES:
        data = png_bytes(render(width, height, shade, samples))
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)
        print(f"{name}: {width} x {height}, {len(data)} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
