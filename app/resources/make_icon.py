#!/usr/bin/env python3
"""Draws the window icon, a smiling face, as PNGs (16 to 256 pixels) and as SVG."""
import math
import struct
import sys
import zlib

OUTLINE = (92, 56, 8)
FEATURE = (74, 40, 6)
TOP = (255, 236, 120)
BOTTOM = (250, 178, 20)


def png(path, width, height, pixels):
    raw = b"".join(b"\x00" + bytes(row) for row in pixels)

    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


def shade(x, y, size):
    """Colour and coverage layers at a point of the unit square, back to front."""
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    line = max(0.05, 1.15 / size)
    layers = []
    if r <= 0.47:
        t = min(1.0, max(0.0, (y - 0.05) / 0.9))
        fill = tuple(round(a + (b - a) * t) for a, b in zip(TOP, BOTTOM))
        layers.append(fill)
        if r >= 0.47 - line:
            layers.append(OUTLINE)
    # eyes
    for ex in (0.355, 0.645):
        if ((x - ex) / 0.06) ** 2 + ((y - 0.37) / 0.095) ** 2 <= 1.0:
            layers.append(FEATURE)
    # smile: the lower arc of a circle
    d = math.hypot(x - 0.5, y - 0.44)
    angle = math.degrees(math.atan2(y - 0.44, x - 0.5))
    if abs(d - 0.255) <= max(0.035, 0.6 / size) and 25 <= angle <= 155:
        layers.append(FEATURE)
    return layers[-1] if layers else None


def render(size, samples=6):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0]
            covered = 0
            for sy in range(samples):
                for sx in range(samples):
                    c = shade((px + (sx + 0.5) / samples) / size,
                              (py + (sy + 0.5) / samples) / size, size)
                    if c:
                        covered += 1
                        for i in range(3):
                            acc[i] += c[i]
            if covered:
                row += [round(acc[0] / covered), round(acc[1] / covered),
                        round(acc[2] / covered), round(255 * covered / samples ** 2)]
            else:
                row += [0, 0, 0, 0]
        rows.append(row)
    return rows


SVG = """<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">
  <defs>
    <linearGradient id="face" x1="0" y1="0" x2="0" y2="1">
      <stop offset="0" stop-color="#ffec78"/>
      <stop offset="1" stop-color="#fab214"/>
    </linearGradient>
  </defs>
  <circle cx="128" cy="128" r="113.9" fill="url(#face)" stroke="#5c3808" stroke-width="12.8"/>
  <ellipse cx="90.9" cy="94.7" rx="15.4" ry="24.3" fill="#4a2806"/>
  <ellipse cx="165.1" cy="94.7" rx="15.4" ry="24.3" fill="#4a2806"/>
  <path d="M 68.9 140.2 A 65.3 65.3 0 0 0 187.1 140.2" fill="none" stroke="#4a2806"
        stroke-width="17.9" stroke-linecap="round"/>
</svg>
"""

if __name__ == "__main__":
    for size in (16, 24, 32, 48, 64, 128, 256):
        png(f"glyphora-{size}.png", size, size, render(size))
    with open("glyphora.svg", "w") as out:
        out.write(SVG)
    sys.exit(0)
