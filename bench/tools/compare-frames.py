#!/usr/bin/env python3
"""Compares the frames two walks through the game kept (walk-frames/NAME.png, 8-bit RGB as the
bench writes them): for each screen in both folders, the pixels that differ and the largest
difference of a channel. A change of drawing that the player must not see shows 0 and 0.

Usage: compare-frames.py BEFORE_FOLDER AFTER_FOLDER"""
import os
import struct
import sys
import zlib


def read_png(path):
    with open(path, 'rb') as f:
        data = f.read()
    pos, width, height, idat = 8, 0, 0, b''
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour = struct.unpack('>IIBB', body[:10])
            if depth != 8 or colour != 2:
                raise ValueError(f'{path}: not 8-bit RGB')
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 3 + 1
    if any(raw[y * stride] != 0 for y in range(height)):
        raise ValueError(f'{path}: filtered rows are not read here')
    return width, height, b''.join(raw[y * stride + 1:(y + 1) * stride] for y in range(height))


def main():
    before, after = sys.argv[1], sys.argv[2]
    worst = 0
    for name in sorted(os.listdir(before)):
        if not name.endswith('.png') or not os.path.exists(os.path.join(after, name)):
            continue
        w1, h1, a = read_png(os.path.join(before, name))
        w2, h2, b = read_png(os.path.join(after, name))
        if (w1, h1) != (w2, h2):
            print(f'{name}: {w1}x{h1} against {w2}x{h2}')
            worst = 255
            continue
        differing = sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])
        largest = max((abs(x - y) for x, y in zip(a, b)), default=0)
        worst = max(worst, largest)
        print(f'{name[:-4]}: {differing} pixels differ, by at most {largest}')
    return 0 if worst == 0 else 1


if __name__ == '__main__':
    sys.exit(main())
