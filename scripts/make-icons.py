#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files into res/icons/.

State icons: a cartoon fish in red, green, blue and yellow. Animation frames: a square ring of
red, black and cyan segments on grey whose pattern moves one step along the ring per frame.
Every icon holds a 16x16 and a 32x32 image in 32-bit colour with an alpha channel (and the AND
mask older systems use). Plain Python, no libraries: run it again after changing a drawing.
"""
import math
import os
import struct
import sys

SUPERSAMPLE = 4


def fish_painter(body, dark):
    """A fish facing left: oval body, forked tail, top fin, a white eye with a pupil, a smile."""
    white = (255, 255, 255)
    black = (20, 20, 20)

    def paint(x, y):  # x, y in 0..1, y down; returns a colour or None for transparent
        # Eye and pupil first, so they lie on top of the body.
        ex, ey = 0.30, 0.42
        d_eye = math.hypot(x - ex, y - ey)
        if d_eye < 0.055:
            return black
        if d_eye < 0.11:
            return white
        # Smile: a short arc under the eye, near the mouth.
        d_mouth = math.hypot(x - 0.20, y - 0.50)
        if 0.085 < d_mouth < 0.12 and y > 0.54 and x < 0.27:
            return dark
        # Body: an ellipse with a darker outline.
        bx, by, rx, ry = 0.45, 0.52, 0.36, 0.27
        e = ((x - bx) / rx) ** 2 + ((y - by) / ry) ** 2
        if e <= 1.0:
            if e > 0.72:
                return dark
            # A paler belly stripe.
            if y > 0.62 and e < 0.55:
                return tuple(min(255, c + 70) for c in body)
            return body
        # Tail: a fork behind the body.
        if 0.74 <= x <= 0.97:
            t = (x - 0.74) / 0.23
            half = 0.06 + 0.26 * t
            notch = 0.10 * t
            off = abs(y - 0.52)
            if notch <= off <= half:
                return dark if (off > half - 0.05 or x > 0.93) else body
        # Top fin: a triangle on the back.
        if 0.35 <= x <= 0.62 and 0.14 <= y <= 0.30:
            ridge = 0.30 - (x - 0.35) / 0.27 * 0.16
            if y >= ridge:
                return dark
        return None

    return paint


def ring_painter(frame):
    """A square ring of 16 segments on grey; the pattern red, black, cyan, black moves one step
    along the ring with every frame."""
    grey = (192, 192, 192)
    pattern = [(230, 30, 30), (20, 20, 20), (0, 220, 230), (20, 20, 20)]
    segments = 16

    def paint(x, y):
        if not (0.03 <= x <= 0.97 and 0.03 <= y <= 0.97):
            return None
        inner = 0.27
        if 0.5 - inner < x < 0.5 + inner and 0.5 - inner < y < 0.5 + inner:
            return grey
        if not (0.12 <= x <= 0.88 and 0.12 <= y <= 0.88):
            return grey
        angle = math.atan2(y - 0.5, x - 0.5) % (2 * math.pi)
        segment = int(angle / (2 * math.pi) * segments) % segments
        return pattern[(segment + frame) % len(pattern)]

    return paint


def render(paint, size):
    """Samples the painter SUPERSAMPLE^2 times per pixel; returns rows of (r, g, b, a), top
    row first."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = covered = 0
            for sy in range(n):
                for sx in range(n):
                    c = paint((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    if c is not None:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                        covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                a = round(255 * covered / (n * n))
                row.append((r // covered, g // covered, b // covered, a))
        rows.append(row)
    return rows


def dib(rows):
    """A 32-bit icon image: BITMAPINFOHEADER (double height), BGRA rows bottom-up, AND mask."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(
        struct.pack("<BBBB", b, g, r, a) for row in reversed(rows) for (r, g, b, a) in row
    )
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def ico(paint, sizes=(16, 32)):
    images = [dib(render(paint, s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "res", "icons")
    os.makedirs(out_dir, exist_ok=True)
    fishes = {
        "pRed": ((220, 40, 40), (130, 10, 10)),
        "pGreen": ((40, 180, 60), (10, 100, 25)),
        "pBlue": ((50, 100, 230), (15, 45, 140)),
        "pYellow": ((245, 210, 30), (160, 120, 0)),
    }
    files = {name: ico(fish_painter(*colours)) for name, colours in fishes.items()}
    for frame in range(4):
        files["Picture%d" % (frame + 1)] = ico(ring_painter(frame))
    for name, data in files.items():
        with open(os.path.join(out_dir, name + ".ico"), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
