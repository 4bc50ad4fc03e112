#!/usr/bin/env python3
"""Draws the program's icon and writes it as an icon file (app.ico).

The picture is a globe (the connection to the Internet) with a green start
badge (the connection comes up by itself). Each of the five sizes is drawn
on its own pixel grid, so that the lines of the small sizes fall on whole
pixels instead of being a blurred copy of the large picture.

Every shape is a signed distance function in pixels; a pixel's coverage is
its distance to the edge, which gives antialiased edges and real alpha. The
arithmetic uses only + - * / and sqrt, which IEEE 754 rounds the same way
everywhere, so every machine regenerates the committed file byte for byte.

    make_icon.py [--output FILE] [--preview FOLDER]

Without --output the file is written beside this script. --preview also
writes each size enlarged as a PNG, on a light and on a dark background.
"""

import argparse
import math
import os
import struct
import zlib

# Largest first: the order of the icon directory.
SIZES = (64, 48, 32, 24, 16)


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def rgb(hex_colour):
    v = int(hex_colour, 16)
    return ((v >> 16) / 255.0, ((v >> 8) & 0xFF) / 255.0, (v & 0xFF) / 255.0)


def ramp(stops, t):
    """Colour at t on a ramp of (position, colour) stops."""
    t = clamp(t)
    for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
        if t <= p1:
            return mix(c0, c1, (t - p0) / (p1 - p0))
    return stops[-1][1]


# Distance functions: negative inside, in pixels.

def circle(cx, cy, r):
    return lambda x, y: math.sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy)) - r


def ellipse_ring(cx, cy, a, b, width):
    """The outline of an ellipse, drawn with the given line width."""
    def d(x, y):
        u, v = x - cx, y - cy
        f = (u * u) / (a * a) + (v * v) / (b * b) - 1.0
        gu, gv = 2.0 * u / (a * a), 2.0 * v / (b * b)
        g = math.sqrt(gu * gu + gv * gv)
        if g < 1e-9:
            return max(a, b)
        return abs(f / g) - width / 2.0
    return d


def hline(y0, width):
    return lambda x, y: abs(y - y0) - width / 2.0


def vline(x0, width):
    return lambda x, y: abs(x - x0) - width / 2.0


def triangle(points):
    """A convex triangle given clockwise in screen coordinates."""
    edges = []
    for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
        nx, ny = y1 - y0, x0 - x1
        n = math.sqrt(nx * nx + ny * ny)
        edges.append((nx / n, ny / n, (nx * x0 + ny * y0) / n))
    # The largest edge distance; exact along the edges, which is what the
    # antialiasing needs.
    return lambda x, y: max(nx * x + ny * y - c for nx, ny, c in edges)


def union(*ds):
    return lambda x, y: min(d(x, y) for d in ds)


def intersect(*ds):
    return lambda x, y: max(d(x, y) for d in ds)


def minus(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def shifted(d, dx, dy):
    return lambda x, y: d(x - dx, y - dy)


class Canvas:
    """Premultiplied RGBA in floats, composited with "over"."""

    def __init__(self, size):
        self.size = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def paint(self, shape, colour, alpha=1.0, soft=0.0):
        """Fills shape with colour, a colour or a function of (x, y).

        soft widens the edge into a blur of that many pixels (shadows)."""
        n = self.size
        for j in range(n):
            y = j + 0.5
            for i in range(n):
                x = i + 0.5
                d = shape(x, y)
                if soft > 0.0:
                    cover = clamp(0.5 - d / (2.0 * soft))
                else:
                    cover = clamp(0.5 - d)
                if cover <= 0.0:
                    continue
                c = colour(x, y) if callable(colour) else colour
                a = cover * alpha
                p = self.px[j * n + i]
                k = 1.0 - a
                p[0] = c[0] * a + p[0] * k
                p[1] = c[1] * a + p[1] * k
                p[2] = c[2] * a + p[2] * k
                p[3] = a + p[3] * k

    def rgba8(self):
        """Straight (not premultiplied) 8-bit RGBA, top row first."""
        out = []
        for r, g, b, a in self.px:
            a8 = int(a * 255.0 + 0.5)
            if a8 == 0:
                out.append((0, 0, 0, 0))
                continue
            out.append(tuple(int(clamp(c / a) * 255.0 + 0.5) for c in (r, g, b)) + (a8,))
        return out


SEA_LIGHT = rgb("9FDBFF")
SEA_MID = rgb("2E8AE6")
SEA_DARK = rgb("0A3A8C")
RIM = rgb("06296B")
GRID = rgb("FFFFFF")
GREEN_TOP = rgb("6BDB5A")
GREEN_BOTTOM = rgb("168A34")
GREEN_RIM = rgb("0D5E22")
WHITE = rgb("FFFFFF")
SHADOW = rgb("000000")

# Per size, in pixels: the globe (centre, radius), its grid (line width,
# rim width, offsets of the lines of latitude from the equator, half widths
# of the meridians at the equator), the start badge (centre, radius, clear
# gap around it, half height of its triangle), the shadow (drop, blur,
# opacity), the gloss's opacity, where on the sea's colour ramp the lit side
# starts, and the grid's opacity. The small sizes put the centres of their
# 1-pixel lines on pixel centres, so that the lines stay sharp, and start
# the sea darker, so that the white grid does not vanish in its lit side.
DESIGNS = {
    64: dict(g=(28.0, 28.0, 25.0), line=2.0, rim=1.5, lat=(-12.5, 0.0, 12.5),
             mer=(0.0, 13.0), badge=(47.0, 47.0, 14.5), gap=3.0, play=7.25,
             shadow=(1.5, 1.5, 0.3), gloss=0.16, light=0.0, grid=0.9),
    48: dict(g=(21.0, 21.0, 19.0), line=1.5, rim=1.25, lat=(-9.5, 0.0, 9.5),
             mer=(0.0, 10.0), badge=(35.5, 35.5, 11.0), gap=2.25, play=5.5,
             shadow=(1.0, 1.25, 0.3), gloss=0.16, light=0.0, grid=0.9),
    32: dict(g=(14.5, 14.5, 12.75), line=1.0, rim=1.0, lat=(-6.0, 0.0, 6.0),
             mer=(0.0, 6.0), badge=(23.5, 23.5, 7.75), gap=1.5, play=4.0,
             shadow=(1.0, 1.0, 0.25), gloss=0.14, light=0.1, grid=0.9),
    24: dict(g=(10.5, 10.5, 9.75), line=1.0, rim=1.0, lat=(-5.0, 0.0, 5.0),
             mer=(0.0, 5.0), badge=(18.0, 18.0, 6.0), gap=1.25, play=3.25,
             shadow=None, gloss=0.0, light=0.25, grid=1.0),
    16: dict(g=(7.5, 7.5, 7.0), line=1.0, rim=1.0, lat=(0.0,),
             mer=(0.0, 3.0), badge=(11.75, 11.75, 4.25), gap=1.0, play=2.6,
             shadow=None, gloss=0.0, light=0.5, grid=1.0),
}


def draw(size):
    p = DESIGNS[size]
    gx, gy, gr = p["g"]
    bx, by, br = p["badge"]
    canvas = Canvas(size)

    globe = circle(gx, gy, gr)
    badge = circle(bx, by, br)
    clearance = circle(bx, by, br + p["gap"])
    globe_cut = minus(globe, clearance)

    if p["shadow"]:
        dy, soft, alpha = p["shadow"]
        canvas.paint(shifted(union(globe_cut, badge), 0.0, dy), SHADOW, alpha, soft)

    # The sea: lit from the top left.
    lx, ly = gx - 0.45 * gr, gy - 0.5 * gr

    start = p["light"]

    def sea(x, y):
        t = math.sqrt((x - lx) * (x - lx) + (y - ly) * (y - ly)) / (1.55 * gr)
        return ramp(((0.0, SEA_LIGHT), (0.45, SEA_MID), (1.0, SEA_DARK)), start + (1.0 - start) * t)

    canvas.paint(globe_cut, sea)

    # The grid: lines of latitude and meridians, inside the rim.
    w = p["line"]
    inner = circle(gx, gy, gr - p["rim"] * 0.5)
    lines = [hline(gy + off, w) for off in p["lat"]]
    for half in p["mer"]:
        if half == 0.0:
            lines.append(vline(gx, w))
        else:
            lines.append(ellipse_ring(gx, gy, half, gr, w))
    grid = intersect(union(*lines), minus(inner, clearance))
    canvas.paint(grid, GRID, p["grid"])

    # A dark rim keeps the globe apart from light backgrounds.
    rim = intersect(minus(globe, circle(gx, gy, gr - p["rim"])), minus(globe, clearance))
    canvas.paint(rim, RIM, 0.85)

    # A soft gloss on the upper left.
    if p["gloss"]:
        gloss = intersect(circle(gx - 0.3 * gr, gy - 0.38 * gr, 0.5 * gr), inner)
        canvas.paint(gloss, WHITE, p["gloss"], soft=0.18 * gr)

    # The start badge: a green disc with a white "run" triangle.
    def green(x, y):
        return mix(GREEN_TOP, GREEN_BOTTOM, clamp((y - (by - br)) / (2.0 * br)))

    canvas.paint(badge, green)
    ring = minus(badge, circle(bx, by, br - p["rim"]))
    canvas.paint(ring, GREEN_RIM, 0.7)
    # Optically centred: the triangle's centroid a little right of centre.
    h = p["play"]
    tx = bx + 0.24 * h
    canvas.paint(triangle([(tx - 0.62 * h, by - h), (tx + 0.95 * h, by), (tx - 0.62 * h, by + h)]),
                 WHITE)
    return canvas.rgba8()


def bitmap_image(size, pixels):
    """One icon image: BITMAPINFOHEADER (double height for the mask), the
    BGRA rows bottom-up, then the 1-bit AND mask rows bottom-up."""
    mask_stride = ((size + 31) // 32) * 4
    colour = bytearray()
    mask = bytearray()
    for row in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for col in range(size):
            r, g, b, a = pixels[row * size + col]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[col // 8] |= 0x80 >> (col % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def icon_file(images):
    """ICONDIR, one ICONDIRENTRY per image, then the images in that order."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


def png(width, height, rgb_rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\0" + bytes(row) for row in rgb_rows)
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_preview(folder, size, pixels):
    """The image enlarged to 256 pixels (nearest neighbour) on a light and
    a dark background, side by side, then the real size on both."""
    scale = 256 // size
    backgrounds = ((240, 240, 240), (40, 40, 48))
    width = 2 * size * scale + 16 + 2 * size + 8
    height = size * scale
    rows = []
    for y in range(height):
        row = []
        for bg in backgrounds:
            for x in range(size * scale):
                row += blend(pixels[(y // scale) * size + x // scale], bg)
            row += bg * 8
        for bg in backgrounds:
            for x in range(size):
                row += blend(pixels[y * size + x], bg) if y < size else bg
            row += bg * 4
        rows.append(row[:width * 3])
    with open(os.path.join(folder, "icon-%d.png" % size), "wb") as f:
        f.write(png(width, height, rows))


def blend(pixel, bg):
    r, g, b, a = pixel
    return [int((c * a + k * (255 - a)) / 255 + 0.5) for c, k in zip((r, g, b), bg)]


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description="Draws the program's icon.")
    parser.add_argument("--output", default=os.path.join(here, "app.ico"))
    parser.add_argument("--preview", metavar="FOLDER")
    args = parser.parse_args()

    images = []
    for size in SIZES:
        pixels = draw(size)
        images.append((size, bitmap_image(size, pixels)))
        if args.preview:
            os.makedirs(args.preview, exist_ok=True)
            write_preview(args.preview, size, pixels)
    with open(args.output, "wb") as f:
        f.write(icon_file(images))


if __name__ == "__main__":
    main()
