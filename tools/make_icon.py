#!/usr/bin/env python3
"""Draws the Corvalink program icon (res/Corvalink.ico): a gold chain link over a dark
blue disc, at 16, 24, 32, 48 and 256 pixels, 32-bit with alpha. Run it again after changing
the drawing; the .ico is committed so that a build needs no Python."""
import math, struct, sys, zlib

def coverage(px, py, size):
    # Shape tests in a unit square (0..1); returns (r, g, b, a) for one sample point.
    x, y = px / size, py / size
    cx, cy = x - 0.5, y - 0.5
    r = math.hypot(cx, cy)
    colour = None
    if r <= 0.47:
        shade = 1.0 - 0.35 * (cy + 0.5)          # lighter at the top
        colour = (int(30 * shade), int(58 * shade), int(110 * shade), 255)
    if 0.44 < r <= 0.47:
        colour = (200, 170, 80, 255)             # thin gold rim
    # two interlocked rounded-rectangle rings, rotated 45 degrees: the "link"
    def ring(ox, oy):
        a = math.radians(45)
        u = (cx - ox) * math.cos(a) + (cy - oy) * math.sin(a)
        v = -(cx - ox) * math.sin(a) + (cy - oy) * math.cos(a)
        hw, hh, rad = 0.20, 0.09, 0.09
        qx, qy = max(abs(u) - (hw - rad), 0), max(abs(v) - (hh - rad), 0)
        d = math.hypot(qx, qy) - rad
        return -0.055 <= d <= 0.0
    if ring(-0.09, -0.09) or ring(0.09, 0.09):
        colour = (236, 200, 90, 255)
    return colour or (0, 0, 0, 0)

def render(size, ss=4):
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(ss):
                for sx in range(ss):
                    c = coverage(px + (sx + 0.5) / ss, py + (sy + 0.5) / ss, size)
                    for i in range(3):
                        acc[i] += c[i] * c[3]
                    acc[3] += c[3]
            n = ss * ss
            a = acc[3] / n
            rgb = [int(acc[i] / acc[3]) if acc[3] else 0 for i in range(3)]
            row.append((rgb[0], rgb[1], rgb[2], int(a)))
        rows.append(row)
    return rows

def bmp_entry(rows):
    size = len(rows)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''.join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_row = ((size + 31) // 32) * 4
    mask = b''.join(bytes(mask_row) for _ in range(size))   # alpha carries the shape
    return header + pixels + mask

def png_entry(rows):
    size = len(rows)
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)
    def chunk(tag, data):
        return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data))
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))

def main(out):
    sizes = [16, 24, 32, 48, 256]
    images = [png_entry(render(s, 2)) if s == 256 else bmp_entry(render(s)) for s in sizes]
    data = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        data += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(out, 'wb') as f:
        f.write(data + b''.join(images))

if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'res/Corvalink.ico')
