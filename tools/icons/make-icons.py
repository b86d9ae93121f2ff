#!/usr/bin/env python3
"""Draws the program's icons (16-colour palette) as PNG files into res/icons/.

Icon 128 is the application icon (32 and 16 pixels): a crosshair over a dark red disc.
Icon 132 is the small picture beside the paste edit (32 pixels): a blue pennant on a pole.
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


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "res", "icons")
    os.makedirs(out, exist_ok=True)
    write_png(os.path.join(out, "128.png"), crosshair(32))
    write_png(os.path.join(out, "128-16.png"), crosshair(16))
    write_png(os.path.join(out, "132.png"), pennant(32))


if __name__ == "__main__":
    main()
