#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-2.0-or-later
"""Writes the colour swatch strip, bitmap resource 195, from its pixel map in swatches.txt.

The result is a packed DIB of exactly 1814 bytes (no file header): a 40-byte information header,
the 16-colour palette and 1710 bytes of BI_RLE4 pixels, rows bottom-up, each row closed by an
end-of-line code and the last one followed by end-of-bitmap. Each row is encoded with the fewest
bytes; the bytes left over to the fixed size are spent by splitting the longest runs, which
changes no pixel.
Run from anywhere: python3 tools/swatches/make-swatch-strip.py
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "swatches.txt")
TARGET = os.path.join(HERE, "..", "..", "res", "bitmaps", "195.dib")

# Palette order of the strip, with the letter that names each colour in swatches.txt.
PALETTE = [
    ("k", (0, 0, 0)), ("m", (128, 0, 0)), ("g", (0, 128, 0)), ("o", (128, 128, 0)),
    ("n", (0, 0, 128)), ("p", (128, 0, 128)), ("t", (0, 128, 128)), ("s", (192, 192, 192)),
    ("e", (128, 128, 128)), ("r", (255, 0, 0)), ("l", (0, 255, 0)), ("y", (255, 255, 0)),
    ("b", (0, 0, 255)), ("a", (255, 0, 255)), ("c", (0, 255, 255)), ("w", (255, 255, 255)),
]
CELL = 16
CELLS = 14
WIDTH, HEIGHT = CELL * CELLS, CELL
PIXEL_BYTES = 1710


def read_cells(path):
    """The pixel map: per image a line 'image N: ...' and 16 rows of 16 palette letters."""
    letters = {letter: index for index, (letter, _) in enumerate(PALETTE)}
    cells, current = [], None
    with open(path) as source:
        for number, line in enumerate(source, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("image "):
                current = []
                cells.append(current)
                continue
            if current is None or len(line) != CELL or any(c not in letters for c in line):
                sys.exit(f"{path}:{number}: expected 16 palette letters after an image line")
            current.append([letters[c] for c in line])
    if len(cells) != CELLS or any(len(cell) != CELL for cell in cells):
        sys.exit(f"{path}: expected {CELLS} images of {CELL} rows")
    return cells


def absolute_bytes(count):
    data = (count + 1) // 2
    return 2 + data + data % 2


def encode_row(row):
    """Fewest-byte codes for one row: ('run', count, high, low) or ('abs', pixels)."""
    size = len(row)
    best = [0] * (size + 1)
    choice = [None] * (size + 1)
    for start in range(size - 1, -1, -1):
        best[start], choice[start] = None, None
        count = 0
        while start + count < size and count < 255:
            if row[start + count] != row[start + (count % 2)]:
                break
            count += 1
            cost = 2 + best[start + count]
            if best[start] is None or cost < best[start]:
                best[start], choice[start] = cost, ("run", count)
        for count in range(3, min(255, size - start) + 1):
            cost = absolute_bytes(count) + best[start + count]
            if cost < best[start]:
                best[start], choice[start] = cost, ("abs", count)
    codes, at = [], 0
    while at < size:
        kind, count = choice[at]
        if kind == "run":
            low = row[at + 1] if count > 1 else 0
            codes.append(["run", count, row[at], low])
        else:
            codes.append(["abs", row[at:at + count]])
        at += count
    return codes


def code_bytes(code):
    if code[0] == "run":
        return 2
    return absolute_bytes(len(code[1]))


def pad_by_splitting(rows, spare):
    """Splits the longest runs (earliest first) until `spare` bytes are spent."""
    while spare > 0:
        longest = None
        for codes in rows:
            for index, code in enumerate(codes):
                if code[0] == "run" and code[1] > 1 and (longest is None or code[1] > longest[2]):
                    longest = (codes, index, code[1])
        if longest is None:
            sys.exit("no run left to split")
        codes, index, _ = longest
        _, count, high, low = codes[index]
        first = count // 2
        second_high, second_low = (high, low) if first % 2 == 0 else (low, high)
        codes[index:index + 1] = [["run", first, high, low],
                                  ["run", count - first, second_high, second_low]]
        spare -= 2


def serialise(codes):
    out = bytearray()
    for code in codes:
        if code[0] == "run":
            out += bytes((code[1], code[2] << 4 | code[3]))
        else:
            pixels = code[1]
            out += bytes((0, len(pixels)))
            data = bytearray()
            for at in range(0, len(pixels), 2):
                low = pixels[at + 1] if at + 1 < len(pixels) else 0
                data.append(pixels[at] << 4 | low)
            if len(data) % 2:
                data.append(0)
            out += data
    return bytes(out)


def main():
    cells = read_cells(SOURCE)
    # Strip rows top-down, then stored bottom-up.
    strip = [[pixel for cell in cells for pixel in cell[y]] for y in range(HEIGHT)]
    rows = [encode_row(row) for row in reversed(strip)]
    needed = sum(code_bytes(c) for codes in rows for c in codes) + 2 * HEIGHT + 2
    if needed > PIXEL_BYTES:
        sys.exit(f"the pixel map needs {needed} bytes, more than the strip's {PIXEL_BYTES}")
    pad_by_splitting(rows, PIXEL_BYTES - needed)
    pixels = b"".join(serialise(codes) + b"\x00\x00" for codes in rows) + b"\x00\x01"
    assert len(pixels) == PIXEL_BYTES
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 2, PIXEL_BYTES, 0, 0, 0, 0)
    palette = b"".join(bytes((blue, green, red, 0)) for _, (red, green, blue) in PALETTE)
    os.makedirs(os.path.dirname(TARGET), exist_ok=True)
    with open(TARGET, "wb") as out:
        out.write(header + palette + pixels)
    print(f"{os.path.normpath(TARGET)}: {len(header + palette + pixels)} bytes "
          f"({needed} needed, {PIXEL_BYTES - needed} spent on split runs)")


if __name__ == "__main__":
    main()
