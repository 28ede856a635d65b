#!/usr/bin/env python3
"""Regenerate the heart icons (heart32.ico, heart16.ico).

Stdlib only: python3 res/make_icons.py

Each file holds a single 4 bpp image on the standard 16-colour VGA palette,
which every version of Windows renders identically.
"""

import os
import struct

# Standard Windows 16-colour palette, in its usual index order (RGB).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_RED, RED, WHITE = 0, 1, 9, 15
CLEAR = None  # transparent: AND bit set, XOR index 0

SUPERSAMPLE = 5


def inside(x, y):
    """Classic implicit heart, y up: (x^2 + y^2 - 1)^3 - x^2 y^3 <= 0."""
    q = x * x + y * y - 1.0
    return q * q * q - x * x * y * y * y <= 0.0


def heart_bounds():
    # Found numerically rather than hard-coded so the heart is truly centred.
    xs, ys = [], []
    steps = 600
    for i in range(steps + 1):
        for j in range(steps + 1):
            x = -1.5 + 3.0 * i / steps
            y = -1.5 + 3.0 * j / steps
            if inside(x, y):
                xs.append(x)
                ys.append(y)
    return min(xs), max(xs), min(ys), max(ys)


def render(size, bounds):
    """Return size x size rows (top-down) of palette indices or CLEAR."""
    x0, x1, y0, y1 = bounds
    # Pixels left clear around the edge; a little less at 16 so the tip
    # gets its own row instead of ending in a blunt 4-pixel base.
    margin = 1.0 if size >= 32 else 0.75
    scale = max(x1 - x0, y1 - y0) / (size - 2.0 * margin)
    cx, cy = (x0 + x1) / 2.0, (y0 + y1) / 2.0

    def to_heart(px, py):
        return cx + (px - size / 2.0) * scale, cy - (py - size / 2.0) * scale

    # Coverage by supersampling gives a smooth silhouette instead of a
    # single-sample staircase.
    solid = [[False] * size for _ in range(size)]
    n = SUPERSAMPLE
    for row in range(size):
        for col in range(size):
            hits = 0
            for sy in range(n):
                for sx in range(n):
                    x, y = to_heart(col + (sx + 0.5) / n, row + (sy + 0.5) / n)
                    hits += inside(x, y)
            solid[row][col] = hits * 2 >= n * n

    def edge(row, col):
        for dr, dc in ((-1, 0), (1, 0), (0, -1), (0, 1)):
            r, c = row + dr, col + dc
            if not (0 <= r < size and 0 <= c < size) or not solid[r][c]:
                return True
        return False

    img = [[CLEAR] * size for _ in range(size)]
    for row in range(size):
        for col in range(size):
            if not solid[row][col]:
                continue
            if edge(row, col):
                img[row][col] = DARK_RED
                continue
            # A dark crescent along the lower-right rim reads as shading, so
            # the heart looks rounded rather than cut out. Too heavy at 16.
            x, y = to_heart(col + 0.5 + 2.0, row + 0.5 + 2.0)
            shaded = size >= 32 and not inside(x, y)
            img[row][col] = DARK_RED if shaded else RED

    # Small glint on the upper-left lobe, light coming from top left.
    hx, hy = x0 + 0.33 * (x1 - x0), y0 + 0.78 * (y1 - y0)
    r = 0.12 * (x1 - x0) if size >= 32 else 0.08 * (x1 - x0)
    for row in range(size):
        for col in range(size):
            if img[row][col] != RED:
                continue
            x, y = to_heart(col + 0.5, row + 0.5)
            # Elongated along the lobe's curve, like a reflection.
            dx, dy = (x - hx), (y - hy)
            u = (dx + dy) * 0.7071
            v = (dy - dx) * 0.7071
            if (u / r) ** 2 + (v / (r * 0.55)) ** 2 <= 1.0:
                img[row][col] = WHITE
    return img


def ico_bytes(img):
    size = len(img)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for row in reversed(img):  # DIBs are stored bottom-up
        line = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for col, px in enumerate(row):
            idx = BLACK if px is CLEAR else px
            if col % 2 == 0:
                line[col // 2] |= idx << 4
            else:
                line[col // 2] |= idx
            if px is CLEAR:
                bits[col // 8] |= 0x80 >> (col % 8)
        xor += line
        mask += bits

    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    # The height covers XOR and AND bitmaps stacked, as icon DIBs require.
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(xor) + len(mask), 0, 0, 0, 0)
    image = info + palette + bytes(xor) + bytes(mask)

    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4,
                        len(image), 6 + 16)
    return header + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    bounds = heart_bounds()
    for size in (32, 16):
        name = "heart%d.ico" % size
        data = ico_bytes(render(size, bounds))
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)
        print("wrote %s (%d bytes)" % (name, len(data)))


if __name__ == "__main__":
    main()
