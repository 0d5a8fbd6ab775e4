#!/usr/bin/env python3
"""Draws the About picture and the JPEG test fixtures, and encodes them with cjpeg built from
the project's own libjpeg-turbo source (.deps/libjpeg-turbo, see scripts/install-deps.sh).

    python3 tools/make_about_picture.py            # writes the files below
    python3 tools/make_about_picture.py --png DIR  # also PNG previews of the drawings

Writes:
  src/resources/about.jpg    the About picture: 94 x 94, JFIF 1.01 (aspect 1:1, no thumbnail),
                             baseline (SOF0), 8-bit, Y Cb Cr each sampled 1 x 1, one interleaved
                             scan, no restart markers
  tests/data/grey.jpg        a one-component (greyscale) baseline JPEG, 33 x 21
  tests/data/progressive.jpg a progressive colour JPEG, 50 x 38, chroma sampled 2 x 2

cjpeg is built natively (cmake, ninja, the host's cc) once into build/host-libjpeg; --cjpeg
PATH uses another one instead. The output depends only on the drawing and on libjpeg's
encoder, so the same source gives the same bytes.
"""
import argparse
import math
import os
import struct
import subprocess
import sys
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SUPERSAMPLE = 4


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def in_ellipse(x, y, cx, cy, rx, ry, angle=0.0):
    c, s = math.cos(angle), math.sin(angle)
    dx, dy = x - cx, y - cy
    u, v = dx * c + dy * s, -dx * s + dy * c
    return (u / rx) ** 2 + (v / ry) ** 2 <= 1.0


def in_polygon(x, y, points):
    inside = False
    n = len(points)
    for i in range(n):
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % n]
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def near_segment(x, y, a, b, width):
    (x1, y1), (x2, y2) = a, b
    dx, dy = x2 - x1, y2 - y1
    t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
    px, py = x1 + t * dx, y1 + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2


# The drawing, in a 94 x 94 unit square: a raven perched on a branch before a low moon in a
# dusk sky, inside a round emblem with a golden rim.
SKY_TOP = (28, 36, 92)
SKY_BOTTOM = (236, 132, 72)
MOON = (252, 236, 190)
RAVEN = (22, 20, 34)
RAVEN_SHEEN = (64, 70, 120)
BRANCH = (70, 44, 30)
RIM = (214, 170, 64)
OUTSIDE = (240, 240, 240)  # the usual COLOR_BTNFACE, so the corners melt into the box

TAIL = [(26, 58), (10, 76), (17, 78), (34, 64)]
BEAK = [(62, 26), (76, 31), (62, 34)]
WING = [(30, 46), (50, 38), (60, 46), (46, 58), (30, 62)]


def sample(x, y):
    cx, cy, r = 47.0, 47.0, 45.5
    d = math.hypot(x - cx, y - cy)
    if d > r:
        return OUTSIDE
    if d > r - 3.0:
        return lerp(RIM, (255, 224, 130), max(0.0, (cy - y) / r))
    colour = lerp(SKY_TOP, SKY_BOTTOM, (y / 94.0) ** 1.4)
    # The moon, with a soft glow around it.
    md = math.hypot(x - 66, y - 62)
    if md < 15:
        colour = MOON
    elif md < 24:
        colour = lerp(colour, MOON, ((24 - md) / 9) ** 2 * 0.5)
    # The branch.
    if near_segment(x, y, (4, 74), (90, 66), 4.5) or near_segment(x, y, (64, 68), (80, 56), 2.5):
        colour = BRANCH
    # The raven: legs, tail, body, head, beak; then the wing's sheen and the eye.
    bird = (near_segment(x, y, (40, 62), (38, 72), 1.8) or near_segment(x, y, (46, 62), (47, 71), 1.8)
            or in_polygon(x, y, TAIL) or in_ellipse(x, y, 42, 52, 17, 11, -0.45)
            or in_ellipse(x, y, 56, 31, 9, 8.5) or in_ellipse(x, y, 52, 40, 6, 7, 0.5)
            or in_polygon(x, y, BEAK))
    if bird:
        colour = RAVEN
        if in_polygon(x, y, WING):
            t = max(0.0, min(1.0, (62 - y) / 24))
            colour = lerp(RAVEN, RAVEN_SHEEN, t * 0.9)
        if math.hypot(x - 59, y - 29) < 1.6:
            colour = (240, 200, 90)
    return colour


def render(width, height, grey=False):
    """Rows of RGB bytes, top to bottom; the drawing scaled to width x height."""
    rows = []
    n = SUPERSAMPLE
    for py in range(height):
        row = bytearray()
        for px in range(width):
            acc = [0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) * 94.0 / width
                    y = (py + (sy + 0.5) / n) * 94.0 / height
                    c = sample(x, y)
                    acc[0] += c[0]
                    acc[1] += c[1]
                    acc[2] += c[2]
            r, g, b = (min(255, int(round(v / (n * n)))) for v in acc)
            if grey:
                r = g = b = int(round(0.299 * r + 0.587 * g + 0.114 * b))
            row += bytes((r, g, b))
        rows.append(bytes(row))
    return rows


def ppm(width, height, rows, grey=False):
    if grey:
        return b'P5\n%d %d\n255\n' % (width, height) + b''.join(r[0::3] for r in rows)
    return b'P6\n%d %d\n255\n' % (width, height) + b''.join(rows)


def png(width, height, rows):
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
    raw = b''.join(b'\0' + r for r in rows)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


def build_cjpeg():
    source = os.path.join(ROOT, '.deps', 'libjpeg-turbo')
    if not os.path.isfile(os.path.join(source, 'CMakeLists.txt')):
        sys.exit('make_about_picture: %s is missing; run scripts/install-deps.sh' % source)
    build = os.path.join(ROOT, 'build', 'host-libjpeg')
    cjpeg = os.path.join(build, 'cjpeg-static')
    if not os.path.exists(cjpeg):
        subprocess.run(['cmake', '-S', source, '-B', build, '-G', 'Ninja', '-DCMAKE_BUILD_TYPE=Release',
                        '-DENABLE_SHARED=OFF', '-DWITH_SIMD=OFF', '-DWITH_TURBOJPEG=OFF'],
                       check=True, stdout=subprocess.DEVNULL)
        subprocess.run(['cmake', '--build', build, '--target', 'cjpeg-static'], check=True,
                       stdout=subprocess.DEVNULL)
    return cjpeg


def encode(cjpeg, image, options, out):
    result = subprocess.run([cjpeg] + options, input=image, stdout=subprocess.PIPE, check=True)
    with open(os.path.join(ROOT, out), 'wb') as f:
        f.write(result.stdout)
    return result.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    parser.add_argument('--cjpeg', help='cjpeg to use instead of building one')
    parser.add_argument('--png', metavar='DIR', help='also write PNG previews into DIR')
    args = parser.parse_args()
    cjpeg = args.cjpeg or build_cjpeg()

    # -dct int: the exact integer DCT, the same on every machine.
    about = render(94, 94)
    data = encode(cjpeg, ppm(94, 94, about),
                  ['-baseline', '-sample', '1x1', '-quality', '90', '-dct', 'int'],
                  'src/resources/about.jpg')
    print('src/resources/about.jpg: %d bytes' % len(data))

    grey = render(33, 21, grey=True)
    encode(cjpeg, ppm(33, 21, grey, grey=True), ['-grayscale', '-baseline', '-quality', '85', '-dct', 'int'],
           'tests/data/grey.jpg')
    progressive = render(50, 38)
    encode(cjpeg, ppm(50, 38, progressive), ['-progressive', '-sample', '2x2', '-quality', '85', '-dct', 'int'],
           'tests/data/progressive.jpg')

    if args.png:
        os.makedirs(args.png, exist_ok=True)
        for name, (w, h, rows) in {'about': (94, 94, about), 'grey': (33, 21, grey),
                                   'progressive': (50, 38, progressive)}.items():
            with open(os.path.join(args.png, name + '.png'), 'wb') as f:
                f.write(png(w, h, rows))


if __name__ == '__main__':
    main()
