#!/usr/bin/env python3
"""Writes a seed corpus for fuzz_dds_header and fuzz_dds_convert: one small file per
FourCC, D3DFORMAT number, DXGI format and bit-mask layout, cube maps with some faces,
volumes, arrays, palettes, odd sizes, and the damaged headers seen in the wild.
Usage: make_dds_seeds.py <folder>"""
import os
import struct
import sys

DDPF_ALPHAPIXELS, DDPF_ALPHA, DDPF_FOURCC, DDPF_PAL8, DDPF_RGB, DDPF_LUM, DDPF_BUMP = (
    0x1, 0x2, 0x4, 0x20, 0x40, 0x20000, 0x80000)


def fourcc(s):
    return struct.unpack('<I', s.encode('ascii'))[0]


def header(w, h, pf_flags=0, four=0, bits=0, masks=(0, 0, 0, 0), mips=1, caps2=0, depth=0,
           size=124, pf_size=32, flags=0x1007, pitch=0, reserved9=0):
    reserved = [0] * 11
    reserved[9] = reserved9
    return (b'DDS ' + struct.pack('<7I', size, flags, h, w, pitch, depth, mips) +
            struct.pack('<11I', *reserved) +
            struct.pack('<8I', pf_size, pf_flags, four, bits, *masks) +
            struct.pack('<5I', 0x1000, caps2, 0, 0, 0))


def dx10(w, h, dxgi, dim=3, misc=0, array=1, mips=1, caps2=0, depth=0):
    return header(w, h, DDPF_FOURCC, fourcc('DX10'), mips=mips, caps2=caps2, depth=depth) + \
        struct.pack('<5I', dxgi, dim, misc, array, 0)


def data(n, seed):
    return bytes((seed * 131 + i * 37 + (i >> 3)) & 0xFF for i in range(n))


def blocks(w, h, size):
    return max(1, (w + 3) // 4) * max(1, (h + 3) // 4) * size


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    seeds = {}
    for i, (name, size) in enumerate([('DXT1', 8), ('DXT2', 16), ('DXT3', 16), ('DXT4', 16), ('DXT5', 16),
                                      ('ATI1', 8), ('BC4U', 8), ('BC4S', 8), ('ATI2', 16), ('BC5U', 16),
                                      ('BC5S', 16), ('RXGB', 16)]):
        seeds['fourcc-%s' % name] = header(8, 8, DDPF_FOURCC, fourcc(name)) + data(blocks(8, 8, size), i)
        seeds['fourcc-%s-odd' % name] = header(5, 3, DDPF_FOURCC, fourcc(name), mips=3) + data(64, i)
    for i, name in enumerate(['RGBG', 'GRGB', 'YUY2', 'UYVY']):
        seeds['pairs-%s' % name] = header(5, 3, DDPF_FOURCC, fourcc(name)) + data(3 * 12, i)
    for i, (num, bpp) in enumerate([(36, 8), (110, 8), (111, 2), (112, 4), (113, 8), (114, 4), (115, 8),
                                    (116, 16), (21, 4), (23, 2), (28, 1), (50, 1), (51, 2), (60, 2),
                                    (63, 4), (81, 2)]):
        seeds['d3dfmt-%d' % num] = header(3, 2, DDPF_FOURCC, num) + data(6 * bpp, i)
    mask_layouts = [
        ('a8r8g8b8', DDPF_RGB | DDPF_ALPHAPIXELS, 32, (0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
        ('x8r8g8b8', DDPF_RGB, 32, (0xFF0000, 0xFF00, 0xFF, 0)),
        ('a8b8g8r8', DDPF_RGB | DDPF_ALPHAPIXELS, 32, (0xFF, 0xFF00, 0xFF0000, 0xFF000000)),
        ('r8g8b8', DDPF_RGB, 24, (0xFF0000, 0xFF00, 0xFF, 0)),
        ('r5g6b5', DDPF_RGB, 16, (0xF800, 0x7E0, 0x1F, 0)),
        ('a1r5g5b5', DDPF_RGB | DDPF_ALPHAPIXELS, 16, (0x7C00, 0x3E0, 0x1F, 0x8000)),
        ('a4r4g4b4', DDPF_RGB | DDPF_ALPHAPIXELS, 16, (0xF00, 0xF0, 0xF, 0xF000)),
        ('r3g3b2', DDPF_RGB, 8, (0xE0, 0x1C, 0x3, 0)),
        ('a2b10g10r10', DDPF_RGB | DDPF_ALPHAPIXELS, 32, (0x3FF, 0xFFC00, 0x3FF00000, 0xC0000000)),
        ('g16r16', DDPF_RGB, 32, (0xFFFF, 0xFFFF0000, 0, 0)),
        ('l8', DDPF_LUM, 8, (0xFF, 0, 0, 0)),
        ('a8l8', DDPF_LUM | DDPF_ALPHAPIXELS, 16, (0xFF, 0, 0, 0xFF00)),
        ('a4l4', DDPF_LUM | DDPF_ALPHAPIXELS, 8, (0xF, 0, 0, 0xF0)),
        ('l16', DDPF_LUM, 16, (0xFFFF, 0, 0, 0)),
        ('a8', DDPF_ALPHA, 8, (0, 0, 0, 0xFF)),
        ('a8-bits0', DDPF_ALPHA, 0, (0, 0, 0, 0xFF)),
        ('a8l8-nvtt-rgb', DDPF_RGB | DDPF_ALPHAPIXELS, 16, (0xFF, 0xFF, 0xFF, 0xFF00)),
        ('v8u8', DDPF_BUMP, 16, (0xFF, 0xFF00, 0, 0)),
        ('odd-masks', DDPF_RGB | DDPF_ALPHAPIXELS, 32, (0x7F, 0x3F80, 0x1FFC000, 0xFE000000)),
    ]
    for i, (name, flags, bits, masks) in enumerate(mask_layouts):
        bpp = max(1, bits // 8)
        seeds['masks-%s' % name] = header(5, 3, flags, 0, bits, masks) + data(15 * bpp + 12, i)
    pal = data(1024, 7)
    seeds['p8'] = header(4, 2, DDPF_PAL8, 0, 8) + pal + data(8, 1)
    seeds['a8p8'] = header(4, 2, DDPF_PAL8 | DDPF_ALPHAPIXELS, 0, 16) + pal + data(16, 2)
    for i, (dxgi, size) in enumerate([(71, 8), (72, 8), (74, 16), (77, 16), (80, 8), (81, 8), (83, 16),
                                      (84, 16), (95, 16), (96, 16), (98, 16), (99, 16)]):
        seeds['dx10-bc-%d' % dxgi] = dx10(8, 4, dxgi) + data(blocks(8, 4, size), i)
    for i, (dxgi, bpp) in enumerate([(2, 16), (6, 12), (10, 8), (11, 8), (13, 8), (16, 8), (24, 4), (26, 4),
                                     (28, 4), (29, 4), (34, 4), (35, 4), (41, 4), (49, 2), (54, 2),
                                     (56, 2), (61, 1), (63, 1), (65, 1), (67, 4), (68, 2), (69, 2),
                                     (85, 2), (86, 2), (87, 4), (88, 4), (107, 2), (115, 2)]):
        seeds['dx10-%d' % dxgi] = dx10(3, 3, dxgi) + data(9 * bpp + 12, i)
    # Cube maps, volumes, arrays.
    face = blocks(8, 8, 8) + blocks(4, 4, 8) + blocks(2, 2, 8) + blocks(1, 1, 8)
    seeds['cube-all'] = header(8, 8, DDPF_FOURCC, fourcc('DXT1'), mips=4, caps2=0xFE00) + data(6 * face, 1)
    seeds['cube-three'] = header(8, 8, DDPF_FOURCC, fourcc('DXT1'), mips=4, caps2=0x200 | 0x400 | 0x1000 | 0x8000) + \
        data(3 * face, 2)
    seeds['cube-truncated'] = header(8, 8, DDPF_FOURCC, fourcc('DXT5'), mips=4, caps2=0xFE00) + data(200, 3)
    seeds['cube-dx10'] = dx10(4, 4, 28, misc=4, array=1) + data(6 * 64, 4)
    seeds['volume'] = header(4, 4, DDPF_RGB, 0, 32, (0xFF0000, 0xFF00, 0xFF, 0), caps2=0x200000, depth=3,
                             flags=0x801007) + data(3 * 64, 5)
    seeds['array-dx10'] = dx10(4, 4, 61, array=3) + data(48, 6)
    seeds['dx10-dim0-array0'] = dx10(4, 4, 71, dim=0, array=0) + data(8, 7)
    seeds['dx10-1d'] = dx10(7, 1, 28, dim=2) + data(28, 8)
    # Damaged headers.
    seeds['tolerated-header-size-24'] = header(4, 4, DDPF_FOURCC, fourcc('DXT1'), size=24) + data(8, 9)
    seeds['tolerated-pf-size-0'] = header(4, 4, DDPF_FOURCC, fourcc('DXT5'), pf_size=0) + data(16, 10)
    seeds['tolerated-no-flags'] = header(4, 4, 0, fourcc('DXT3'), flags=0) + data(16, 11)
    seeds['tolerated-mips-too-many'] = header(4, 4, DDPF_FOURCC, fourcc('DXT1'), mips=40) + data(8, 12)
    seeds['tolerated-nvtt'] = header(4, 4, DDPF_FOURCC | 0x80000000, fourcc('ATI2'), reserved9=fourcc('NVTT')) + \
        data(16, 13)
    seeds['tolerated-dword-rows'] = header(3, 2, DDPF_RGB, 0, 24, (0xFF0000, 0xFF00, 0xFF, 0), pitch=12) + \
        data(24, 14)
    seeds['corrupt-truncated'] = header(64, 64, DDPF_FOURCC, fourcc('DXT1')) + data(100, 15)
    seeds['unsupported-huge'] = header(1000000, 1000000, DDPF_FOURCC, fourcc('DXT1')) + data(1024, 16)
    seeds['not-dds-bmp'] = b'BM' + data(200, 17)
    for name, content in seeds.items():
        with open(os.path.join(out, name + '.dds'), 'wb') as f:
            f.write(content)


if __name__ == '__main__':
    main()
