#!/usr/bin/env python3
"""Draws Texlook's application icon and writes it as a Windows .ico (16, 32 and 48 pixels,
32-bit with alpha): a texture swatch, a tiled checker whose colours run from amber to
teal, with a dark frame and a lighter top-left edge.
    scripts/make-icon.py [OUT.ico]   (default: src/app/texlook.ico)
Standard library only, so that the icon can be remade on any machine with Python 3."""
import os
import struct
import sys

SIZES = (16, 32, 48)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def pixel(x, y, n):
    """BGRA of pixel (x, y), y downwards, in an n x n icon."""
    margin = max(1, n // 16)
    inner = n - 2 * margin
    u, v = x - margin, y - margin
    if not (0 <= u < inner and 0 <= v < inner):
        return (0, 0, 0, 0)
    frame = (40, 30, 25)
    if u in (0, inner - 1) or v in (0, inner - 1):
        return frame[::-1] + (255,)
    # Four by four tiles; the diagonal carries the colour from amber to teal.
    t = (u + v) / (2.0 * (inner - 1))
    light, dark = mix((250, 190, 70), (70, 200, 190), t), mix((190, 95, 35), (30, 95, 120), t)
    tile = max(1, (inner - 2) // 4)
    colour = light if ((u - 1) // tile + (v - 1) // tile) % 2 == 0 else dark
    if u == 1 or v == 1:  # lit edge
        colour = mix(colour, (255, 255, 255), 0.45)
    elif u == inner - 2 or v == inner - 2:  # shaded edge
        colour = mix(colour, (0, 0, 0), 0.35)
    return colour[::-1] + (255,)


def image(n):
    rows = [[pixel(x, y, n) for x in range(n)] for y in range(n)]
    header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_row = (n + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for x, p in enumerate(row):
            if p[3] == 0:
                bits |= 1 << (mask_row * 8 - 1 - x)
        mask += bits.to_bytes(mask_row, "big")
    return header + colour + mask


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "src", "app", "texlook.ico")
    images = [image(n) for n in SIZES]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, img in zip(SIZES, images):
        data += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(out, "wb") as f:
        f.write(data + b"".join(images))


if __name__ == "__main__":
    main()
