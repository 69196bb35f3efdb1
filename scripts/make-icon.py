#!/usr/bin/env python3
"""Draws the application icon (a yellow calibration target on a light-blue screen) and
writes res/pnpsetup.ico with 16x16, 32x32 and 48x48 images (32-bit, with AND masks)."""
import math
import struct
import sys

def image(n):
    px = []
    c = (n - 1) / 2.0
    r = n * 0.30
    for y in range(n):
        row = []
        for x in range(n):
            # screen: rounded square, light blue, dark frame
            edge = min(x, y, n - 1 - x, n - 1 - y)
            if edge < 1:
                col = (40, 60, 90, 255)
            else:
                col = (230, 174, 5, 255)  # BGRA of RGB(5,174,230)
            d = math.hypot(x - c, y - c)
            ring = abs(d - r) < max(1.0, n / 24)
            cross = (abs(x - c) < max(0.6, n / 40) or abs(y - c) < max(0.6, n / 40)) and d < r * 1.45
            if edge >= 1 and (ring or cross):
                col = (0, 255, 255, 255)  # yellow
            row.append(col)
        px.append(row)
    # bitmap rows bottom-up
    xor = b"".join(bytes(p) for row in reversed(px) for p in row)
    mask_row = ((n + 31) // 32) * 4
    andmask = bytes(mask_row * n)
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(andmask), 0, 0, 0, 0)
    return header + xor + andmask

sizes = [16, 32, 48]
images = [image(n) for n in sizes]
out = struct.pack("<HHH", 0, 1, len(sizes))
offset = 6 + 16 * len(sizes)
for n, img in zip(sizes, images):
    out += struct.pack("<BBBBHHII", n, n, 0, 0, 1, 32, len(img), offset)
    offset += len(img)
out += b"".join(images)
open(sys.argv[1] if len(sys.argv) > 1 else "res/pnpsetup.ico", "wb").write(out)
