#!/usr/bin/env python3
"""Draws the translation editor's side picture (350 x 600 PNG).

A night scene in the blue of the editor's left panel: a windmill whose sails
are written pages, with pages drifting off into the sky. The top fades into
the panel colour, because the window shows the picture sitting on the bottom
edge of the panel and a tall window leaves plain panel above it. Only the
middle 200 columns are ever visible.

Plain Python (zlib only), so the picture can be drawn again anywhere:
    scripts/make-side-picture.py wordmill/editor/images/side-picture.png
"""
import math
import random
import struct
import sys
import zlib

W, H = 350, 600
SS = 3  # samples per pixel side for smooth edges
PANEL = (0, 53, 107)

img = [[PANEL for _ in range(W)] for _ in range(H)]


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def blend_pixel(x, y, colour, alpha):
    if 0 <= x < W and 0 <= y < H and alpha > 0:
        img[y][x] = mix(img[y][x], colour, alpha)


def fill_shape(inside, bbox, colour, alpha=1.0):
    """Covers the pixels of a shape given by a point test, with coverage
    from SS x SS samples per pixel."""
    x0, y0, x1, y1 = bbox
    x0, y0 = max(0, int(math.floor(x0))), max(0, int(math.floor(y0)))
    x1, y1 = min(W - 1, int(math.ceil(x1))), min(H - 1, int(math.ceil(y1)))
    step = 1.0 / SS
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            hits = 0
            for sy in range(SS):
                py = y + (sy + 0.5) * step
                for sx in range(SS):
                    if inside(x + (sx + 0.5) * step, py):
                        hits += 1
            if hits:
                blend_pixel(x, y, colour, alpha * hits / (SS * SS))


def polygon(points, colour, alpha=1.0):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def inside(px, py):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result

    fill_shape(inside, (min(xs), min(ys), max(xs), max(ys)), colour, alpha)


def circle(cx, cy, r, colour, alpha=1.0):
    fill_shape(lambda px, py: (px - cx) ** 2 + (py - cy) ** 2 <= r * r,
               (cx - r, cy - r, cx + r, cy + r), colour, alpha)


def rotated_rect(cx, cy, w, h, angle, colour, alpha=1.0, offset=(0.0, 0.0)):
    """A w x h rectangle turned by angle (radians) around (cx, cy); offset
    moves it along its own axes before turning."""
    c, s = math.cos(angle), math.sin(angle)
    ox, oy = offset
    corners = []
    for dx, dy in ((-w / 2, -h / 2), (w / 2, -h / 2), (w / 2, h / 2), (-w / 2, h / 2)):
        x, y = dx + ox, dy + oy
        corners.append((cx + x * c - y * s, cy + x * s + y * c))
    polygon(corners, colour, alpha)


def hill(base_y, peak_x, peak_y, width, colour):
    """A smooth hill: a cosine bump from base_y up to peak_y."""
    def top(px):
        d = (px - peak_x) / width
        if abs(d) >= 1:
            return base_y
        return base_y - (base_y - peak_y) * (0.5 + 0.5 * math.cos(math.pi * d))

    fill_shape(lambda px, py: py >= top(px), (0, peak_y, W, H), colour)


# Sky: plain panel colour at the top, lighter towards the horizon.
for y in range(H):
    t = max(0.0, (y - 170) / (H - 170))
    row = mix(PANEL, (38, 112, 176), t ** 1.6)
    for x in range(W):
        img[y][x] = row

# A soft glow behind the mill.
for y in range(180, 560):
    for x in range(40, 310):
        d = math.hypot(x - 190, (y - 360) * 0.9) / 170
        if d < 1:
            blend_pixel(x, y, (120, 180, 230), 0.22 * (1 - d) ** 2)

# Stars.
rng = random.Random(7)
for _ in range(38):
    x = rng.uniform(70, 280)
    y = rng.uniform(120, 380)
    r = rng.choice((0.7, 0.9, 1.2))
    circle(x, y, r, (200, 225, 250), rng.uniform(0.35, 0.9))

# Hills.
hill(600, 90, 470, 190, (14, 70, 128))
hill(600, 300, 492, 170, (10, 60, 116))
hill(600, 175, 506, 230, (4, 34, 70))

# The mill: a tapering tower, a cap and a lit window.
DARK = (3, 24, 50)
polygon([(150, 532), (200, 532), (190, 408), (160, 408)], DARK)
polygon([(153, 410), (197, 410), (175, 386)], DARK)
polygon([(168, 532), (182, 532), (182, 512), (175, 505), (168, 512)], (255, 206, 112), 0.9)
polygon([(171, 448), (179, 448), (179, 460), (171, 460)], (255, 214, 120), 0.95)

# Sails: four written pages on spars around the hub.
HUB = (175, 402)
PAGE = (226, 238, 250)
INK = (70, 110, 160)
for k in range(4):
    a = math.radians(20 + 90 * k)
    rotated_rect(HUB[0], HUB[1], 94, 3, a, DARK, 1.0, (47, 0))
    rotated_rect(HUB[0], HUB[1], 62, 26, a, PAGE, 0.93, (60, 8))
    for line in range(4):
        length = 46 if line < 3 else 28
        rotated_rect(HUB[0], HUB[1], length, 2, a, INK, 0.8,
                     (60 - (46 - length) / 2, 0 + line * 5))
circle(HUB[0], HUB[1], 5, DARK)
circle(HUB[0], HUB[1], 2, (120, 160, 200))

# Pages drifting away with the wind, smaller and fainter as they go.
for i, (x, y, size, turn) in enumerate([
        (236, 318, 16, 0.5), (258, 276, 13, -0.3), (226, 248, 11, 0.9),
        (262, 222, 9, 0.2), (240, 196, 7, -0.6), (255, 170, 5, 0.4)]):
    fade = 0.85 - i * 0.11
    rotated_rect(x, y, size, size * 1.3, turn, PAGE, fade)
    for line in range(3):
        rotated_rect(x, y, size * 0.6, max(0.8, size / 10), turn, INK, fade * 0.8,
                     (0, (line - 1) * size * 0.3))


def write_png(path):
    raw = bytearray()
    for row in img:
        raw.append(0)
        for r, g, b in row:
            raw += bytes((int(round(r)), int(round(g)), int(round(b))))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


write_png(sys.argv[1] if len(sys.argv) > 1 else "side-picture.png")
