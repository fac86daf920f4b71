#!/usr/bin/env python3
"""Draws Glyphora's eleven picture faces.

Each face is described as shapes in a 15-unit-wide coordinate system and drawn at 2x, 3x and 5x
as PNGs for high-density screens; at 1x, where sampled shapes come out soft, the same design
is drawn pixel by pixel and written as a GIF89a with one transparent colour (the picture the
program copies). No imaging library is needed: the shapes are sampled directly and the GIF
(LZW) and PNG encoders are written out below. The output is the same on every run.

Run from anywhere:  python3 make_faces.py [--preview sheet.png]
(--preview writes sheet-1.png and sheet-2.png: every face enlarged, on light and dark.)
"""

import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# --------------------------------------------------------------------------------------
# Shapes. Each is a predicate inside(x, y) in face units plus a bounding box, so that the
# sampler can skip it quickly.


class Shape:
    def __init__(self, test, box):
        self.test = test
        self.box = box  # (x0, y0, x1, y1)

    def __call__(self, x, y):
        x0, y0, x1, y1 = self.box
        return x0 <= x <= x1 and y0 <= y <= y1 and self.test(x, y)

    def __and__(self, other):
        box = (max(self.box[0], other.box[0]), max(self.box[1], other.box[1]),
               min(self.box[2], other.box[2]), min(self.box[3], other.box[3]))
        return Shape(lambda x, y: self.test(x, y) and other(x, y), box)


def disk(cx, cy, r):
    return Shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                 (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry, angle=0.0):
    c, s = math.cos(math.radians(angle)), math.sin(math.radians(angle))
    r = max(rx, ry)

    def test(x, y):
        dx, dy = x - cx, y - cy
        u, v = dx * c + dy * s, -dx * s + dy * c
        return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0

    return Shape(test, (cx - r, cy - r, cx + r, cy + r))


def half_plane(a, b, c):
    """Points with a*x + b*y <= c."""
    return Shape(lambda x, y: a * x + b * y <= c, (-99, -99, 99, 99))


def polygon(points):
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def test(x, y):
        inside = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                inside = not inside
            j = i
        return inside

    return Shape(test, (min(xs), min(ys), max(xs), max(ys)))


def stroke(points, width):
    """A round-capped polyline."""
    h = width / 2.0
    segs = list(zip(points, points[1:]))
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def test(x, y):
        for (ax, ay), (bx, by) in segs:
            dx, dy = bx - ax, by - ay
            ll = dx * dx + dy * dy
            t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / ll))
            px, py = ax + t * dx - x, ay + t * dy - y
            if px * px + py * py <= h * h:
                return True
        return False

    return Shape(test, (min(xs) - h, min(ys) - h, max(xs) + h, max(ys) + h))


def arc_points(cx, cy, rx, ry, a0, a1, n=24):
    """Points along an elliptic arc; angles in degrees, 0 = right, 90 = down."""
    return [(cx + rx * math.cos(math.radians(a0 + (a1 - a0) * i / n)),
             cy + ry * math.sin(math.radians(a0 + (a1 - a0) * i / n))) for i in range(n + 1)]


def bezier(p0, p1, p2, n=20):
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1])
            for t in (i / n for i in range(n + 1))]


# --------------------------------------------------------------------------------------
# Colours.

def hexrgb(h):
    return tuple(int(h[i:i + 2], 16) / 255.0 for i in (1, 3, 5))


OUTLINE = hexrgb("#3d2700")
INK = hexrgb("#3d2700")  # eyes, brows, mouth lines
MOUTH = hexrgb("#7a1d12")
TEETH = hexrgb("#ffffff")
TONGUE = hexrgb("#f0607a")
TONGUE_DARK = hexrgb("#b83350")
WHITE = hexrgb("#ffffff")
BLUSH = hexrgb("#ff6f7d")
GLASS = hexrgb("#1d1d2b")
GLINT = hexrgb("#9fb6d9")
QUESTION = hexrgb("#2456c8")


def radial(light, mid, dark, cx, cy, r, hx, hy):
    """A lit sphere: bright near (hx, hy), darker towards the rim."""

    def colour(x, y):
        d = min(1.0, math.hypot(x - hx, y - hy) / (r * 1.55))
        if d < 0.5:
            t = d / 0.5
            a, b = light, mid
        else:
            t = (d - 0.5) / 0.5
            a, b = mid, dark
        return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))

    return colour


# --------------------------------------------------------------------------------------
# Faces. A face is a list of layers (shape, colour or colour function, opacity), painted in
# order. `k` thins strokes a little at the larger scales so that they stay crisp.


def head(cx, cy, k, light="#fff58a", mid="#ffd21a", dark="#e89400"):
    r = 7.45
    w = 1.0 * k
    fill = radial(hexrgb(light), hexrgb(mid), hexrgb(dark), cx, cy, r, cx - 2.2, cy - 2.6)
    return [(disk(cx, cy, r), OUTLINE, 1.0), (disk(cx, cy, r - w), fill, 1.0)]


def eyes(cx, cy, k, dy=-2.4, rx=0.72, ry=1.35, spacing=2.1):
    return [(ellipse(cx - spacing, cy + dy, rx, ry), INK, 1.0),
            (ellipse(cx + spacing, cy + dy, rx, ry), INK, 1.0)]


def smile_line(cx, cy, k, rx=3.9, ry=2.8, a0=20, a1=160):
    return [(stroke(arc_points(cx, cy + 1.1, rx, ry, a0, a1), 1.0 * k), INK, 1.0)]


def face_smile(k):
    cx, cy = 7.5, 7.5
    return head(cx, cy, k) + eyes(cx, cy, k) + smile_line(cx, cy, k)


def face_wink(k):
    cx, cy = 7.5, 7.5
    closed = bezier((cx + 1.0, cy - 2.0), (cx + 2.1, cy - 3.2), (cx + 3.2, cy - 2.0))
    return (head(cx, cy, k) + [(ellipse(cx - 2.1, cy - 2.4, 0.72, 1.35), INK, 1.0),
                                (stroke(closed, 0.95 * k), INK, 1.0)]
            + smile_line(cx, cy, k))


def face_biggrin(k):
    cx, cy = 7.5, 7.5
    top = cy + 0.6
    mouth_pts = [(cx - 4.3, top)] + bezier((cx + 4.3, top), (cx, top + 7.4), (cx - 4.3, top))[1:]
    mouth = polygon(mouth_pts)
    inner_pts = [(cx - 3.5, top + 0.5)] + bezier((cx + 3.5, top + 0.5), (cx, top + 6.2),
                                                    (cx - 3.5, top + 0.5))[1:]
    inner = polygon(inner_pts)
    teeth = inner & half_plane(0, 1, top + 0.5 + 1.25)
    happy_l = bezier((cx - 3.2, cy - 1.7), (cx - 2.1, cy - 3.9), (cx - 1.0, cy - 1.7))
    happy_r = bezier((cx + 1.0, cy - 1.7), (cx + 2.1, cy - 3.9), (cx + 3.2, cy - 1.7))
    return (head(cx, cy, k) + [(stroke(happy_l, 1.0 * k), INK, 1.0),
                                (stroke(happy_r, 1.0 * k), INK, 1.0),
                                (mouth, INK, 1.0), (inner, MOUTH, 1.0), (teeth, TEETH, 1.0)])


def face_frown(k):
    cx, cy = 7.5, 7.5
    pts = bezier((cx - 2.6, cy + 4.0), (cx, cy + 0.2), (cx + 2.6, cy + 4.0))
    brow_l = [(cx - 3.3, cy - 3.9), (cx - 1.4, cy - 4.7)]
    brow_r = [(cx + 1.4, cy - 4.7), (cx + 3.3, cy - 3.9)]
    return (head(cx, cy, k) + eyes(cx, cy, k, dy=-1.9, ry=1.2)
            + [(stroke(pts, 1.0 * k), INK, 1.0), (stroke(brow_l, 0.8 * k), INK, 0.85),
               (stroke(brow_r, 0.8 * k), INK, 0.85)])


def face_mad(k):
    cx, cy = 7.5, 7.5
    layers = head(cx, cy, k, light="#ffb37a", mid="#ff6a3d", dark="#d8281c")
    brow_l = [(cx - 4.0, cy - 4.3), (cx - 0.8, cy - 2.6)]
    brow_r = [(cx + 0.8, cy - 2.6), (cx + 4.0, cy - 4.3)]
    mouth = bezier((cx - 2.8, cy + 3.9), (cx, cy + 1.3), (cx + 2.8, cy + 3.9))
    return layers + [(ellipse(cx - 2.1, cy - 1.0, 0.75, 1.05), INK, 1.0),
                     (ellipse(cx + 2.1, cy - 1.0, 0.75, 1.05), INK, 1.0),
                     (stroke(brow_l, 1.15 * k), INK, 1.0), (stroke(brow_r, 1.15 * k), INK, 1.0),
                     (stroke(mouth, 1.0 * k), INK, 1.0)]


def face_surprise(k):
    cx, cy = 7.5, 7.5
    layers = head(cx, cy, k)
    for sx in (-1, 1):
        ex = cx + sx * 2.3
        layers += [(ellipse(ex, cy - 2.0, 1.35, 1.75), INK, 1.0),
                   (ellipse(ex, cy - 2.0, 1.35 - 0.55 * k, 1.75 - 0.55 * k), WHITE, 1.0),
                   (ellipse(ex, cy - 1.8, 0.62, 0.85), INK, 1.0)]
    layers += [(ellipse(cx, cy + 3.2, 1.55, 1.95), INK, 1.0),
               (ellipse(cx, cy + 3.2, 1.55 - 0.7 * k, 1.95 - 0.7 * k), MOUTH, 1.0)]
    return layers


def face_cool(k):
    cx, cy = 7.5, 7.5
    layers = head(cx, cy, k)
    lens_l = polygon([(cx - 5.7, cy - 3.6), (cx - 0.7, cy - 3.6), (cx - 1.0, cy - 1.6),
                      (cx - 2.2, cy - 0.6), (cx - 4.3, cy - 0.6), (cx - 5.5, cy - 1.8)])
    lens_r = polygon([(cx + 0.7, cy - 3.6), (cx + 5.7, cy - 3.6), (cx + 5.5, cy - 1.8),
                      (cx + 4.3, cy - 0.6), (cx + 2.2, cy - 0.6), (cx + 1.0, cy - 1.6)])
    bar = stroke([(cx - 6.8, cy - 3.2), (cx + 6.8, cy - 3.2)], 0.9 * k)
    glint_l = stroke([(cx - 4.6, cy - 2.7), (cx - 3.4, cy - 2.7)], 0.6 * k)
    glint_r = stroke([(cx + 1.9, cy - 2.7), (cx + 3.1, cy - 2.7)], 0.6 * k)
    smirk = bezier((cx - 2.9, cy + 2.6), (cx + 0.4, cy + 4.9), (cx + 3.3, cy + 1.9))
    clip = disk(cx, cy, 7.45 - 0.5 * k)
    return layers + [(bar & clip, GLASS, 1.0), (lens_l, GLASS, 1.0), (lens_r, GLASS, 1.0),
                     (glint_l, GLINT, 1.0), (glint_r, GLINT, 1.0),
                     (stroke(smirk, 1.0 * k), INK, 1.0)]


def face_tongue(k):
    cx, cy = 7.5, 7.5
    layers = head(cx, cy, k) + eyes(cx, cy, k)
    mouth = arc_points(cx, cy + 0.4, 4.0, 2.6, 25, 155)
    tongue = (ellipse(cx + 0.6, cy + 4.5, 1.75, 2.0) & half_plane(0, -1, -(cy + 2.7)))
    tongue_edge = (ellipse(cx + 0.6, cy + 4.5, 1.75 + 0.6 * k, 2.0 + 0.6 * k)
                   & half_plane(0, -1, -(cy + 2.4)))
    crease = stroke([(cx + 0.6, cy + 3.4), (cx + 0.6, cy + 5.0)], 0.55 * k)
    return layers + [(tongue_edge, INK, 1.0), (tongue, TONGUE, 1.0), (crease, TONGUE_DARK, 0.9),
                     (stroke(mouth, 1.0 * k), INK, 1.0)]


def face_embarrassed(k):
    cx, cy = 7.5, 7.5
    layers = head(cx, cy, k)
    layers += [(ellipse(cx - 4.1, cy + 1.3, 1.6, 1.05), BLUSH, 0.75),
               (ellipse(cx + 4.1, cy + 1.3, 1.6, 1.05), BLUSH, 0.75)]
    # Eyes shut tight and a small wobbly mouth.
    for sx in (-1, 1):
        ex = cx + sx * 2.2
        pts = [(ex + sx * 1.1, cy - 3.3), (ex - sx * 0.9, cy - 2.2), (ex + sx * 1.1, cy - 1.1)]
        layers.append((stroke(pts, 0.9 * k), INK, 1.0))
    wobble = [(cx - 2.4 + 4.8 * i / 24, cy + 3.0 + 0.55 * math.sin(i / 24 * 2 * math.pi * 1.5))
              for i in range(25)]
    layers.append((stroke(wobble, 0.95 * k), INK, 1.0))
    return layers


def face_sarcastic(k):
    cx, cy = 7.5, 7.5
    layers = head(cx, cy, k)
    for sx in (-1, 1):
        ex = cx + sx * 2.3
        eye = ellipse(ex, cy - 1.9, 1.2, 1.25)
        lid = half_plane(0, -1, -(cy - 2.0))  # lower half only: heavy lids
        layers += [(eye & lid, WHITE, 1.0), (ellipse(ex + 0.35, cy - 1.3, 0.55, 0.6) & lid, INK, 1.0),
                   (stroke([(ex - 1.45, cy - 2.0), (ex + 1.45, cy - 2.0)], 0.9 * k), INK, 1.0)]
    brow = bezier((cx + 0.9, cy - 4.2), (cx + 2.5, cy - 5.6), (cx + 3.9, cy - 4.4))
    smirk = bezier((cx - 2.6, cy + 3.2), (cx + 0.8, cy + 3.6), (cx + 3.1, cy + 1.7))
    return layers + [(stroke(brow, 0.85 * k), INK, 1.0), (stroke(smirk, 1.0 * k), INK, 1.0)]


def face_confuse(k):
    # 15 x 22: a question mark over the head.
    cx, cy = 7.5, 14.5
    layers = head(cx, cy, k)
    qx = 7.5
    hook = arc_points(qx, 2.6, 2.1, 1.85, 200, 400, 24)
    hook += bezier(hook[-1], (qx + 0.1, 4.5), (qx, 5.1), 6)[1:]
    layers += [(stroke(hook, 1.3 * k), QUESTION, 1.0), (disk(qx, 6.55, 0.68), QUESTION, 1.0)]
    layers += [(ellipse(cx - 2.1, cy - 2.2, 0.72, 1.35), INK, 1.0),
               (ellipse(cx + 2.1, cy - 1.9, 0.72, 1.0), INK, 1.0),
               (stroke([(cx + 1.2, cy - 4.2), (cx + 3.2, cy - 3.6)], 0.8 * k), INK, 1.0)]
    wave = [(cx - 2.7 + 5.4 * i / 24, cy + 3.0 - 0.6 * math.sin(i / 24 * 2 * math.pi))
            for i in range(25)]
    layers.append((stroke(wave, 1.0 * k), INK, 1.0))
    return layers


WIDTH = 15
STROKE_FACTOR = {1: 1.0, 2: 0.8, 3: 0.72, 5: 0.66}



def read_faces():
    """The faces in button order from faces.txt, the list the program is built from:
    (file name, height, drawing function) for each."""
    faces = []
    with open(os.path.join(HERE, "faces.txt"), encoding="ascii") as f:
        for line in f:
            if line.strip() and not line.startswith("#"):
                name, height, _tooltip = line.rstrip("\n").split("\t")
                faces.append((name, int(height), globals()["face_" + name]))
    return faces

# At 15 pixels a drawing sampled from shapes comes out soft, so the 1x pictures are drawn
# pixel by pixel to the same designs. Keys: . transparent, o outline, y face (shaded like the
# larger drawings), k ink, K ink softened into the face, m mouth, w white, t / T tongue,
# p blush, g glass, l glint, b question mark.

PIXELS = {
    "smile": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyyyyyyyyyyo.
.oyyykyyykyyyo.
oyyyykyyykyyyyo
oyyyykyyykyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyykyyyyyyykyyo
.oyykyyyyykyyo.
.oyyykkkkkyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "wink": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyyyyyyyyyyo.
.oyyykyyykyyyo.
oyyyykyykykyyyo
oyyyykyyyyyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyykyyyyyyykyyo
.oyykyyyyykyyo.
.oyyykkkkkyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "biggrin": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyykyyykyyyo.
.oyykykykykyyo.
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyykkkkkkkkkyyo
oyykwwwwwwwkyyo
oyykmmmmmmmkyyo
.oyykmmmmmkyyo.
.oyyykkkkkyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "frown": """
.....ooooo.....
...ooyyyyyoo...
..oyyKyyyKyyo..
.oyKyyyyyyyKyo.
.oyyykyyykyyyo.
oyyyykyyykyyyyo
oyyyykyyykyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyyyykkkkkyyyyo
.oyykyyyyykyyo.
.oykyyyyyyykyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "mad": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oykkyyyyykkyo.
.oyyykkykkyyyo.
oyyyyyyyyyyyyyo
oyyyykyyykyyyyo
oyyyykyyykyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
.oyyykkkkkyyyo.
.oyykyyyyykyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "surprise": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyykyyykyyyo.
.oyykwkykwkyyo.
oyyykwkykwkyyyo
oyyyykyyykyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyyyyykkkyyyyyo
.oyyykmmmkyyyo.
.oyyykmmmkyyyo.
..oyyykkkyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "cool": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyyyyyyyyyyo.
.ogggggggggggo.
oyglgggyglgggyo
oyygggyyygggyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyykyyo
.oyyKyyyyykyyo.
.oyyykkkkkyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "tongue": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyyyyyyyyyyo.
.oyyykyyykyyyo.
oyyyykyyykyyyyo
oyyyykyyykyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyykyyyyyyykyyo
.oyykkkkkkkyyo.
.oyyyyktttkyyo.
..oyyyktTtkyo..
...ooyykkkoo...
.....ooooo.....
""",
    "embarrassed": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyykyyyyykyyo.
.oyyykyyykyyyo.
oyyykyyyyykyyyo
oyyyyyyyyyyyyyo
oyppyyyyyyyppyo
oyppyyyyyyyppyo
oyyyyykykyyyyyo
.oyyykykykyyyo.
.oyyyyyyyyyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "sarcastic": """
.....ooooo.....
...ooyyyyyoo...
..oyyyyyykkyo..
.oyyyyyyKyyKyo.
.oyyyyyyyyyyyo.
oyyykkkykkkyyyo
oyyywwkywwkyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyykyyo
.oyyyyyyyykyyo.
.oyyKkkkkkyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
    "confuse": """
.....bbbb......
....bb..bb.....
.......bb......
......bb.......
...............
......bb.......
...............
.....ooooo.....
...ooyyyyyoo...
..oyyyyyyyyyo..
.oyyyyyyyKKyo..
.oyyykyyyyyyyo.
oyyyykyyykyyyyo
oyyyykyyykyyyyo
oyyyyyyyyyyyyyo
oyyyyyyyyyyyyyo
oyyyykkyykkyyyo
.oyykyykkyyyyo.
.oyyyyyyyyyyyo.
..oyyyyyyyyyo..
...ooyyyyyoo...
.....ooooo.....
""",
}


FLAT_COLOURS = {"o": OUTLINE, "k": INK, "m": MOUTH, "w": WHITE, "t": TONGUE, "T": TONGUE_DARK,
                "g": GLASS, "l": GLINT, "b": QUESTION}


def pixel_art(name, height, layers):
    """The 1x picture from PIXELS, with face pixels shaded like the larger drawings."""
    rows = PIXELS[name].strip("\n").split("\n")
    assert len(rows) == height and all(len(r) == WIDTH for r in rows), name
    # The face's own fill is the second layer of head(); reuse its shading.
    shade = layers[1][1]
    out = []
    for y, row in enumerate(rows):
        line = []
        for x, key in enumerate(row):
            if key == ".":
                line.append((0.0, 0.0, 0.0, 0.0))
                continue
            face = shade(x + 0.5, y + 0.5)
            if key == "y":
                c = face
            elif key == "K":
                c = tuple(INK[i] * 0.55 + face[i] * 0.45 for i in range(3))
            elif key == "p":
                c = tuple(BLUSH[i] * 0.7 + face[i] * 0.3 for i in range(3))
            else:
                c = FLAT_COLOURS[key]
            line.append(c + (1.0,))
        out.append(line)
    return out



# --------------------------------------------------------------------------------------
# Sampling.


def render(layers, height, scale, samples):
    """Straight-alpha RGBA floats, row by row."""
    w, h = WIDTH * scale, height * scale
    out = []
    offsets = [(i + 0.5) / samples for i in range(samples)]
    for py in range(h):
        row = []
        for px in range(w):
            acc = [0.0, 0.0, 0.0, 0.0]  # premultiplied
            for oy in offsets:
                y = (py + oy) / scale
                for ox in offsets:
                    x = (px + ox) / scale
                    r = g = b = a = 0.0
                    for shape, colour, opacity in layers:
                        if shape(x, y):
                            c = colour(x, y) if callable(colour) else colour
                            r = c[0] * opacity + r * (1 - opacity)
                            g = c[1] * opacity + g * (1 - opacity)
                            b = c[2] * opacity + b * (1 - opacity)
                            a = opacity + a * (1 - opacity)
                    acc[0] += r
                    acc[1] += g
                    acc[2] += b
                    acc[3] += a
            n = samples * samples
            alpha = acc[3] / n
            if alpha <= 0:
                row.append((0.0, 0.0, 0.0, 0.0))
            else:
                row.append((acc[0] / n / alpha, acc[1] / n / alpha, acc[2] / n / alpha, alpha))
        out.append(row)
    return out


def to_bytes(c):
    return max(0, min(255, int(round(c * 255))))


# --------------------------------------------------------------------------------------
# PNG.


def png(pixels):
    h, w = len(pixels), len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)
        for r, g, b, a in row:
            raw += bytes((to_bytes(r), to_bytes(g), to_bytes(b), to_bytes(a)))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# --------------------------------------------------------------------------------------
# GIF89a.


def quantise(pixels, max_colours, fixed):
    """Opaque pixels to at most max_colours palette entries. The flat colours in `fixed` are
    kept exactly; the shaded rest share the remaining entries (k-means). Index 0 stays free
    for the transparent colour. Returns (palette, indices)."""
    opaque = [(to_bytes(r), to_bytes(g), to_bytes(b)) for row in pixels for r, g, b, a in row
              if a >= 0.5]
    keep = sorted({c for c in opaque if c in fixed})
    shaded = [c for c in opaque if c not in fixed]
    room = max_colours - len(keep)
    distinct = sorted(set(shaded))
    if len(distinct) <= room:
        centres = distinct
    else:
        # Seed with colours spread over the brightness range, then refine.
        by_luma = sorted(distinct, key=lambda c: 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2])
        centres = [by_luma[int(i * (len(by_luma) - 1) / (room - 1))] for i in range(room)]
        for _ in range(20):
            groups = [[] for _ in centres]
            for c in shaded:
                groups[nearest(c, centres)].append(c)
            centres = [tuple(round(sum(c[j] for c in g) / len(g)) for j in range(3)) if g
                       else centres[i] for i, g in enumerate(groups)]
        centres = sorted(set(centres))
    colours = keep + centres
    palette = [(255, 0, 255)] + colours  # index 0: the transparent colour
    indices = []
    for row in pixels:
        for r, g, b, a in row:
            if a < 0.5:
                indices.append(0)
            else:
                indices.append(1 + nearest((to_bytes(r), to_bytes(g), to_bytes(b)), colours))
    return palette, indices


def nearest(c, colours):
    return min(range(len(colours)), key=lambda i: sum((c[j] - colours[i][j]) ** 2 for j in range(3)))


def lzw(indices, min_size):
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    table = {(i,): i for i in range(clear)}
    next_code = eoi + 1
    size = min_size + 1
    out = bytearray()
    bits = nbits = 0

    def emit(code):
        nonlocal bits, nbits, size
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8
        # The decoder widens its codes one step after the table reaches the next power.
        if next_code >= (1 << size) and size < 12:
            size += 1

    emit(clear)
    word = ()
    for k in indices:
        wk = word + (k,)
        if wk in table:
            word = wk
            continue
        emit(table[word])
        assert next_code < 4096, "faces are far too small to fill the code table"
        table[wk] = next_code
        next_code += 1
        word = (k,)
    emit(table[word])
    emit(eoi)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def unlzw(data, min_size, count):
    """Decoder used to check the encoder's output."""
    clear, eoi = 1 << min_size, (1 << min_size) + 1
    size = min_size + 1
    pos = 0
    table = None
    prev = None
    out = []
    while True:
        code = 0
        for i in range(size):
            byte, bit = divmod(pos + i, 8)
            code |= ((data[byte] >> bit) & 1) << i
        pos += size
        if code == clear:
            table = [(i,) for i in range(clear)] + [None, None]
            size = min_size + 1
            prev = None
            continue
        if code == eoi:
            break
        if prev is None:
            entry = table[code]
        else:
            entry = table[code] if code < len(table) else prev + (prev[0],)
            table.append(prev + (entry[0],))
            if len(table) == (1 << size) and size < 12:
                size += 1
        out.extend(entry)
        prev = entry
    assert len(out) == count
    return out


def gif(pixels, colour_bits, fixed):
    h, w = len(pixels), len(pixels[0])
    palette, indices = quantise(pixels, (1 << colour_bits) - 1, fixed)
    palette += [(0, 0, 0)] * ((1 << colour_bits) - len(palette))
    min_size = max(2, colour_bits)
    data = lzw(indices, min_size)
    assert unlzw(data, min_size, len(indices)) == indices
    blocks = bytearray()
    for i in range(0, len(data), 255):
        part = data[i:i + 255]
        blocks += bytes((len(part),)) + part
    blocks += b"\x00"
    packed = 0x80 | ((colour_bits - 1) << 4) | (colour_bits - 1)
    return (b"GIF89a" + struct.pack("<HHBBB", w, h, packed, 0, 0)
            + b"".join(bytes(c) for c in palette)
            + b"\x21\xf9\x04" + bytes((0x01,)) + struct.pack("<H", 0) + b"\x00\x00"  # index 0 transparent
            + b"\x2c" + struct.pack("<HHHHB", 0, 0, w, h, 0)
            + bytes((min_size,)) + blocks + b"\x3b")


MIN_GIF_BYTES, MAX_GIF_BYTES = 244, 393


def best_gif(pixels):
    fixed = {tuple(to_bytes(v) for v in c) for c in FLAT_COLOURS.values()}
    """The richest palette whose file stays within the size the pictures are allowed."""
    for bits in (5, 4, 3):
        data = gif(pixels, bits, fixed)
        if len(data) <= MAX_GIF_BYTES:
            break
    assert MIN_GIF_BYTES <= len(data) <= MAX_GIF_BYTES, len(data)
    return data


# --------------------------------------------------------------------------------------


def preview(images, path):
    """A sheet of every face at each scale, enlarged to one size, on a light and a dark band."""
    zoom = {1: 9, 2: 4, 3: 3}
    cell_w, cell_h = 3 * (15 * 9 + 6) + 6, 22 * 9 + 6
    bands = [(0.94, 0.94, 0.94), (0.2, 0.2, 0.24)]
    width, height = cell_w * len(bands), cell_h * len(images)
    sheet = [[bands[x // cell_w] for x in range(width)] for _ in range(height)]
    for rowi, scaled in enumerate(images):
        for bi, bg in enumerate(bands):
            x0 = bi * cell_w + 6
            for scale, pix in scaled:
                if scale not in zoom:
                    continue
                z = zoom[scale]
                for y, row in enumerate(pix):
                    for x, (r, g, b, a) in enumerate(row):
                        c = tuple(v * a + bg[i] * (1 - a) for i, v in enumerate((r, g, b)))
                        for yy in range(z):
                            for xx in range(z):
                                sheet[rowi * cell_h + 3 + y * z + yy][x0 + x * z + xx] = c
                x0 += 15 * 9 + 6
    with open(path, "wb") as f:
        f.write(png([[(r, g, b, 1.0) for r, g, b in row] for row in sheet]))


def decode_gif_for_preview(data, height):
    """Reads our own GIF back into RGBA rows (a check on the file, not just the drawing)."""
    bits = (data[10] & 7) + 1
    palette = [tuple(data[13 + 3 * i + j] / 255.0 for j in range(3)) for i in range(1 << bits)]
    pos = 13 + 3 * (1 << bits) + 8 + 10
    min_size = data[pos]
    pos += 1
    payload = bytearray()
    while data[pos]:
        payload += data[pos + 1:pos + 1 + data[pos]]
        pos += 1 + data[pos]
    idx = unlzw(bytes(payload), min_size, WIDTH * height)
    return [[(0, 0, 0, 0.0) if i == 0 else palette[i] + (1.0,) for i in idx[r * WIDTH:(r + 1) * WIDTH]]
            for r in range(height)]


def main(argv):
    sheet = argv[argv.index("--preview") + 1] if "--preview" in argv else None
    images = []
    for name, height, draw in read_faces():
        scaled = []
        # 5x is for the picture display, which stretches a face to more than twice the
        # button's size: at a pixel ratio of 2 it needs more pixels than the 3x drawing has.
        for scale in (1, 2, 3, 5):
            layers = draw(STROKE_FACTOR[scale])
            if scale == 1:
                pixels = pixel_art(name, height, layers)
                data = best_gif(pixels)
                path = os.path.join(HERE, name + ".gif")
                scaled.append((1, decode_gif_for_preview(data, height)))
            else:
                pixels = render(layers, height, scale, 6)
                data = png(pixels)
                path = os.path.join(HERE, "%s@%dx.png" % (name, scale))
                scaled.append((scale, pixels))
            with open(path, "wb") as f:
                f.write(data)
            print("%-28s %4d bytes" % (os.path.basename(path), len(data)))
        images.append(scaled)
    if sheet:
        preview(images[:6], sheet.replace(".png", "-1.png"))
        preview(images[6:], sheet.replace(".png", "-2.png"))


if __name__ == "__main__":
    main(sys.argv[1:])
