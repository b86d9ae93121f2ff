#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Draws the program's icons (16-colour palette) as PNG files into res/icons/.

Icon 128 is the application icon (32 and 16 pixels): a crosshair over a dark red disc.
Icon 132 is the small picture beside the paste edit (32 pixels): a blue pennant on a pole.
The desktop's icon theme (res/icons/hicolor/) gets icon 128 at 16 to 256 pixels, each an
integer enlargement of the 16 or 32 pixel image so that its pixels stay crisp, and a scalable
version that draws the 32 pixel image square by square.
Run from anywhere: python3 tools/icons/make-icons.py
"""
import os
import struct
import zlib

BLACK, DARK_RED, DARK_BLUE, GREY, YELLOW, WHITE, BLUE = (
    (0, 0, 0), (128, 0, 0), (0, 0, 128), (128, 128, 128), (255, 255, 0), (255, 255, 255),
    (0, 0, 255))
CLEAR = None


def write_png(path, pixels):
    size = len(pixels)
    raw = b"".join(
        b"\x00" + b"".join(bytes((*p, 255)) if p else b"\x00\x00\x00\x00" for p in row)
        for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                  chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def crosshair(size):
    centre = (size - 1) / 2
    radius = size / 2 - 0.5
    pixels = []
    for y in range(size):
        row = []
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if distance > radius:
                row.append(CLEAR)
            elif distance > radius - max(1, size // 16):
                row.append(BLACK)
            elif abs(x - centre) < size / 32 + 0.5 or abs(y - centre) < size / 32 + 0.5:
                row.append(YELLOW)
            elif abs(distance - radius / 2) < size / 32 + 0.5:
                row.append(WHITE)
            else:
                row.append(DARK_RED)
        pixels.append(row)
    return pixels


def pennant(size):
    pixels = [[CLEAR] * size for _ in range(size)]
    for y in range(3, size - 2):
        pixels[y][6] = GREY
        pixels[y][7] = BLACK
    for y in range(4, 18):
        reach = 8 + (18 - abs(y - 11) * 2)
        for x in range(8, min(reach, size - 2)):
            pixels[y][x] = BLUE if (x + y) % 7 else DARK_BLUE
    for x in range(3, 12):
        pixels[size - 3][x] = BLACK
    return pixels


def enlarge(pixels, factor):
    return [[p for p in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def write_svg(path, pixels):
    size = len(pixels)
    squares = []
    for y, row in enumerate(pixels):
        x = 0
        while x < size:
            colour = row[x]
            run = 1
            while x + run < size and row[x + run] == colour:
                run += 1
            if colour:
                squares.append('<rect x="%d" y="%d" width="%d" height="1" fill="#%02x%02x%02x"/>'
                               % (x, y, run, *colour))
            x += run
    with open(path, "w") as out:
        out.write('<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" '
                  'viewBox="0 0 %d %d" shape-rendering="crispEdges">\n' % (size, size, size, size))
        out.write("\n".join(squares) + "\n</svg>\n")


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "icons")
    os.makedirs(out, exist_ok=True)
    small, large = crosshair(16), crosshair(32)
    write_png(os.path.join(out, "128.png"), large)
    write_png(os.path.join(out, "128-16.png"), small)
    write_png(os.path.join(out, "132.png"), pennant(32))
    theme = os.path.join(out, "hicolor")
    for size, source, factor in ((16, small, 1), (32, large, 1), (48, small, 3), (64, large, 2),
                                 (128, large, 4), (256, large, 8)):
        folder = os.path.join(theme, "%dx%d" % (size, size), "apps")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "tallyhawk.png"), enlarge(source, factor))
    folder = os.path.join(theme, "scalable", "apps")
    os.makedirs(folder, exist_ok=True)
    write_svg(os.path.join(folder, "tallyhawk.svg"), large)


if __name__ == "__main__":
    main()
