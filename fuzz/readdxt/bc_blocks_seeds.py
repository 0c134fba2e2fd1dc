#!/usr/bin/env python3
"""Writes a seed corpus for fuzz_bc_blocks into the folder given as argument:
for every decoder (first byte 0..9) a few blocks, and for BC7 and BC6H one block per
mode number, so the fuzzer starts inside every mode."""
import os
import random
import sys

out = sys.argv[1]
os.makedirs(out, exist_ok=True)
rng = random.Random(1)


def write(name, data):
    with open(os.path.join(out, name), "wb") as f:
        f.write(bytes(data))


for which in range(10):
    for n in range(4):
        write(f"d{which}-{n}", [which] + [rng.randrange(256) for _ in range(16)])
for mode in range(9):  # 8 means the reserved all-zero mode byte
    body = [rng.randrange(256) for _ in range(16)]
    body[0] = ((body[0] | 1) << mode) & 0xFF if mode < 8 else 0
    write(f"bc7-mode{mode}", [7] + body)
for mode in range(32):
    for signed in (8, 9):
        body = [rng.randrange(256) for _ in range(16)]
        body[0] = (body[0] & 0xE0) | mode
        write(f"bc6h-{signed}-mode{mode}", [signed] + body)
