#!/usr/bin/env python3
"""Writes the font-name combo box's type glyphs, 12x12 24-bit bitmaps on a fuchsia ground (the
transparent colour): two overlapping T letters for an outline (TrueType) face, and a small stepped
A for any other face. Run it from this folder to make them again."""
import struct

N = 12
GROUND = (0xFF, 0x00, 0xFF)
DARK = (0x00, 0x00, 0x00)
GREY = (0x80, 0x80, 0x80)

def blank():
    return [[GROUND] * N for _ in range(N)]

def letter_t(img, x0, y0, colour):
    for x in range(x0, x0 + 7):  # the bar
        img[y0][x] = colour
    for y in range(y0, y0 + 8):  # the stem
        img[y][x0 + 3] = colour
    img[y0 + 1][x0] = colour  # serifs at the bar's ends and the foot
    img[y0 + 1][x0 + 6] = colour
    img[y0 + 7][x0 + 2] = colour
    img[y0 + 7][x0 + 4] = colour

def ttf():
    img = blank()
    letter_t(img, 0, 0, GREY)
    letter_t(img, 4, 3, DARK)
    return img

def non_ttf():
    img = blank()
    rows = ["....##....",
            "....##....",
            "...#..#...",
            "...#..#...",
            "..#....#..",
            "..######..",
            ".#......#.",
            ".#......#.",
            "###....###"]
    for y, row in enumerate(rows):
        for x, c in enumerate(row):
            if c == '#':
                img[y + 2][x + 1] = DARK
    return img

def write(name, img):
    row = N * 3
    pad = (4 - row % 4) % 4
    data = b''
    for y in range(N - 1, -1, -1):  # bottom-up
        data += b''.join(bytes((b, g, r)) for (r, g, b) in img[y]) + b'\0' * pad
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, N, N, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(name, 'wb') as f:
        f.write(header + info + data)

write('cxfontcombo_ttf.bmp', ttf())
write('cxfontcombo_nonttf.bmp', non_ttf())
