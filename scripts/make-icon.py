#!/usr/bin/env python3
"""Draws the application icon (Marrowlark/resources/icons/marrowlark.png): a gold "M" on the
dark panel colour in a rounded square. Plain Python, no imaging library needed."""
import math
import struct
import sys
import zlib

SIZE = 256
SAMPLES = 4  # per axis, for smooth edges
PANEL = (18, 18, 18)
LINE = (42, 42, 42)
ACCENT = (230, 211, 106)

# The letter as thick strokes, in a unit square.
STROKES = [((0.28, 0.72), (0.28, 0.30)), ((0.28, 0.30), (0.50, 0.56)),
           ((0.50, 0.56), (0.72, 0.30)), ((0.72, 0.30), (0.72, 0.72))]
STROKE_HALF_WIDTH = 0.055


def segment_distance(p, a, b):
    ax, ay = a
    bx, by = b
    px, py = p
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def rounded_square_distance(p, half=0.46, radius=0.11):
    qx = abs(p[0] - 0.5) - half + radius
    qy = abs(p[1] - 0.5) - half + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def colour_at(p):
    """Colour and coverage (0 or 1) of one sample."""
    edge = rounded_square_distance(p)
    if edge > 0:
        return (0, 0, 0), 0.0
    if any(segment_distance(p, a, b) < STROKE_HALF_WIDTH for a, b in STROKES):
        return ACCENT, 1.0
    if math.hypot(p[0] - 0.5, p[1] - 0.80) < 0.03:
        return ACCENT, 1.0
    if edge > -0.012:
        return LINE, 1.0
    return PANEL, 1.0


def render():
    rows = []
    for y in range(SIZE):
        row = bytearray([0])
        for x in range(SIZE):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    p = ((x + (sx + 0.5) / SAMPLES) / SIZE, (y + (sy + 0.5) / SAMPLES) / SIZE)
                    (cr, cg, cb), coverage = colour_at(p)
                    r += cr * coverage
                    g += cg * coverage
                    b += cb * coverage
                    a += coverage
            n = SAMPLES * SAMPLES
            if a:
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return b"".join(rows)


def png(pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "Marrowlark/resources/icons/marrowlark.png"
    with open(target, "wb") as out:
        out.write(png(render()))
