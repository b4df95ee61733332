#!/usr/bin/env python3
"""The mean difference per colour channel, 0..255, between two of the game's screenshots over the
settings screen's plate (x 110..690, y 140..470, every 4th pixel), rounded down: a few steps for
the same screen, about 40 between the title and the settings screen.

    screenshot_difference.py ONE.png OTHER.png

Reads the 8-bit RGB or RGBA PNG files the game writes, with nothing but the standard library."""
import struct, sys, zlib

def picture(path, last_row=470):
    data, pos, idat = open(path, 'rb').read(), 8, b''
    while pos < len(data):
        size, kind = struct.unpack('>I4s', data[pos:pos + 8])
        if kind == b'IHDR':
            width, _, _, colour = struct.unpack('>IIBB', data[pos + 8:pos + 18])
        elif kind == b'IDAT':
            idat += data[pos + 8:pos + 8 + size]
        pos += 12 + size
    step = {2: 3, 6: 4}[colour]
    raw, stride, prev, rows = zlib.decompress(idat), width * step, bytearray(width * step), []
    for r in range(last_row):
        kind, line = raw[r * (stride + 1)], bytearray(raw[r * (stride + 1) + 1:(r + 1) * (stride + 1)])
        for i in range(stride):
            a, b = (line[i - step] if i >= step else 0), prev[i]
            c = prev[i - step] if i >= step else 0
            guess = [0, a, b, (a + b) // 2, 0][kind]
            if kind == 4:
                p = a + b - c
                guess = a if abs(p - a) <= min(abs(p - b), abs(p - c)) else b if abs(p - b) <= abs(p - c) else c
            line[i] = (line[i] + guess) & 255
        rows.append(bytes(line))
        prev = line
    return rows, step

def difference(one, other):
    (p, step), (q, _) = one, other
    spots = [(x * step + k, y) for y in range(140, 470, 4) for x in range(110, 690, 4) for k in range(3)]
    return sum(abs(p[y][i] - q[y][i]) for i, y in spots) / len(spots)


if __name__ == "__main__":
    print(int(difference(*(picture(path) for path in sys.argv[1:3]))))
