#!/usr/bin/env python3
"""Writes a small seed corpus for fuzz_tga_load: one file per image type and depth,
both origins, run-length packets that cross rows, colour maps of odd sizes.
Usage: make_tga_seeds.py <folder>"""
import os
import struct
import sys


def header(id_len=0, cmap_type=0, img_type=2, first=0, length=0, entry=0, w=4, h=3, depth=24, desc=0):
    return struct.pack('<BBBHHBHHHHBB', id_len, cmap_type, img_type, first, length, entry, 0, 0, w, h, depth, desc)


def pixels(w, h, p, seed):
    return bytes((seed + i * 37) & 0xFF for i in range(w * h * p))


def rle_rows(w, h, p, seed):
    out = bytearray()
    for r in range(h):
        px = [bytes(((seed + r * 7 + x // 2 * 13 + c) & 0xFF) for c in range(p)) for x in range(w)]
        x = 0
        while x < w:
            if x + 1 < w and px[x] == px[x + 1]:
                n = 2
                while x + n < w and n < 128 and px[x + n] == px[x]:
                    n += 1
                out += bytes([0x80 | (n - 1)]) + px[x]
            else:
                n = 1
                while x + n < w and n < 128 and (x + n + 1 >= w or px[x + n] != px[x + n + 1]):
                    n += 1
                out += bytes([n - 1]) + b''.join(px[x:x + n])
            x += n
    return bytes(out)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    seeds = {}
    w, h = 5, 3
    for depth in (16, 24, 32):
        p = depth // 8
        for desc in (0x00, 0x20, 0x10, 0x28):
            seeds[f'true{depth}_d{desc:02x}'] = header(w=w, h=h, depth=depth, desc=desc) + pixels(w, h, p, depth)
        seeds[f'rle_true{depth}'] = header(img_type=10, w=w, h=h, depth=depth) + rle_rows(w, h, p, depth)
    for entry in (15, 16, 24, 32, 8):
        eb = (entry + 7) // 8
        cmap = bytes((i * 11) & 0xFF for i in range(8 * eb))
        body = pixels(w, h, 1, 3)
        seeds[f'mapped_e{entry}'] = header(cmap_type=1, img_type=1, length=8, entry=entry, depth=8) + cmap + body
        seeds[f'rle_mapped_e{entry}'] = (header(cmap_type=1, img_type=9, first=5, length=8, entry=entry, depth=8)
                                         + cmap + rle_rows(w, h, 1, 5))
    for depth in (8, 16):
        p = depth // 8
        seeds[f'grey{depth}'] = header(img_type=3, w=w, h=h, depth=depth) + pixels(w, h, p, 9)
        seeds[f'rle_grey{depth}'] = header(img_type=11, w=w, h=h, depth=depth) + rle_rows(w, h, p, 9)
    # A run that crosses into the next row, a truncated raw packet, an ID field.
    seeds['rle_cross_row'] = header(img_type=10, w=2, h=2, depth=24) + bytes([0x83, 1, 2, 3])
    seeds['rle_truncated'] = header(img_type=10, w=4, h=2, depth=24) + bytes([0x03, 1, 2, 3, 4, 5])
    seeds['with_id'] = header(id_len=3, w=2, h=1) + b'abc' + pixels(2, 1, 3, 1)
    seeds['huge'] = header(w=65535, h=65535, depth=32)
    for name, data in seeds.items():
        with open(os.path.join(folder, name + '.tga'), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
