#!/usr/bin/env python3
"""Checks the pictures map_looks.scn takes (24-bit BMP files of a window's
client area).

map.bmp: the depth scale's labels lie on white over the map: right of each
of the 12 colour boxes (10 pixels into the map's drawing, which starts 5
pixels into the window, from 40 pixels down; boxes 15 apart) no pixel
shows one of the sea colours of the depth bands.
legend.bmp: right of the symbols and below "Symbols:" the labels end at
least 10 pixels before the window's edge, and they stand apart: the lines
that hold dark pixels form exactly ROWS runs, at least 4 lines apart.

    check_map_looks.py MAP.bmp LEGEND.bmp ROWS

Prints what it found; exit status 0 when all hold, 1 otherwise.
"""

import struct
import sys


def read_bmp(path):
    """Width, height and a function giving the (r, g, b) of a pixel."""
    data = open(path, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise SystemExit(f"{path}: {bits} bits a pixel, expected 24")
    stride = (width * 3 + 3) & ~3
    bottom_up = height > 0
    height = abs(height)

    def at(x, y):
        row = height - 1 - y if bottom_up else y
        b, g, r = data[offset + row * stride + 3 * x: offset + row * stride + 3 * x + 3]
        return r, g, b

    return width, height, at


# The sea colours of the depth bands.
SEA = {((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF) for c in (
    0xB3FFFF, 0xA3F1FF, 0x99E4FF, 0x8AD6FF, 0x7AC8FF, 0x70BCFF, 0x61ADFF, 0x57A2FF, 0x4792F5, 0x3986EA,
    0x2E7BE0, 0x1F6BD6)}


def dark(pixel):
    return sum(pixel) < 3 * 100


def rightmost_ink(at, x0, y0, x1, y1):
    found = -1
    for y in range(y0, y1):
        for x in range(x0, x1):
            if dark(at(x, y)):
                found = max(found, x)
    return found


def main():
    map_file, legend_file, rows = sys.argv[1], sys.argv[2], int(sys.argv[3])
    failures = []

    width, height, at = read_bmp(map_file)
    covered = 0
    for k in range(12):
        baseline = 5 + 40 + 30 + 15 * k
        for y in range(baseline - 8, baseline + 1):
            for x in range(5 + 10 + 20 + 2, 5 + 10 + 20 + 30):
                covered += at(x, y) in SEA
    print(f"depth scale: {covered} pixels of the bands among its labels")
    if covered:
        failures.append("the depth bands show among the depth scale's labels")

    width, height, at = read_bmp(legend_file)
    ink = rightmost_ink(at, 36, 28, width, height)
    inked = [any(dark(at(x, y)) for x in range(36, width)) for y in range(28, height)]
    runs, start = [], None
    for k, v in enumerate(inked + [False]):
        if v and start is None:
            start = k
        elif not v and start is not None:
            runs.append((start, k))
            start = None
    gaps = [b[0] - a[1] for a, b in zip(runs, runs[1:])]
    print(f"legend: {width} wide, labels to x = {ink}, {len(runs)} label lines, gaps {gaps}")
    if ink >= width - 10:
        failures.append(f"a legend label ends {width - 1 - ink} pixels before the window's edge")
    if len(runs) != rows:
        failures.append(f"{len(runs)} separate label lines in the legend, expected {rows}")
    if gaps and min(gaps) < 4:
        failures.append(f"legend labels {min(gaps)} lines apart")

    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
