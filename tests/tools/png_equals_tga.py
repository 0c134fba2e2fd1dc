#!/usr/bin/env python3
"""Exits 0 when every PNG holds the pixels of the TGA beside it: png_equals_tga.py A.png A.tga ...
A reader of its own (zlib, all five filters), independent of readdxt's writer."""
import struct, sys, zlib

def png_pixels(data):
    assert data[:8] == b'\x89PNG\r\n\x1a\n', 'no PNG signature'
    at, idat, head = 8, b'', None
    while at < len(data):
        n, kind = struct.unpack('>I4s', data[at:at + 8])
        body = data[at + 8:at + 8 + n]
        assert struct.unpack('>I', data[at + 8 + n:at + 12 + n])[0] == zlib.crc32(kind + body), 'bad CRC'
        head = struct.unpack('>IIBBBBB', body) if kind == b'IHDR' else head
        idat += body if kind == b'IDAT' else b''
        at += 12 + n
    width, height, depth, colour = head[:4]
    assert depth == 8 and colour in (2, 6), 'not 8-bit RGB(A)'
    bpp, raw = 3 if colour == 2 else 4, zlib.decompress(idat)
    stride, prev, rows = width * bpp, bytearray(width * bpp), []
    for y in range(height):
        f, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a, b, c = row[i - bpp] if i >= bpp else 0, prev[i], prev[i - bpp] if i >= bpp else 0
            p = a + b - c
            pred = [0, a, b, (a + b) // 2, a if abs(p - a) <= min(abs(p - b), abs(p - c)) else b if abs(p - b) <= abs(p - c) else c][f]
            row[i] = (row[i] + pred) & 255
        rows.append(bytes(row))
        prev = row
    return width, height, bpp, b''.join(rows)

def tga_pixels(data):
    width, height, bits = struct.unpack('<HHB', data[12:17])
    bpp = bits // 8
    body = bytearray(data[18:18 + width * height * bpp])
    body[0::bpp], body[2::bpp] = body[2::bpp], body[0::bpp]  # B, G, R -> R, G, B
    return width, height, bpp, bytes(body)

failed = 0
for png, tga in zip(sys.argv[1::2], sys.argv[2::2]):
    a, b = png_pixels(open(png, 'rb').read()), tga_pixels(open(tga, 'rb').read())
    if a != b:
        print(f'{png}: {a[:3]} differs from {tga}: {b[:3]}')
        failed += 1
sys.exit(1 if failed else 0)
