#!/usr/bin/env python3
"""Writes the glyphs of an MDI document's window-menu commands (close, restore, maximize, minimize)
as monochrome BMP files: black strokes on white, which the glyph drawing takes as transparent. Run
it from this folder to make them again."""
import struct

def write_mono_bmp(name, art):
    h = len(art)
    w = len(art[0])
    stride = ((w + 31) // 32) * 4
    pixels = b''
    for line in reversed(art):  # bottom-up
        bits = bytearray(stride)
        for x, ch in enumerate(line):
            if ch != '#':  # index 1 is white
                bits[x >> 3] |= 0x80 >> (x & 7)
        pixels += bytes(bits)
    palette = struct.pack('<BBBB', 0, 0, 0, 0) + struct.pack('<BBBB', 255, 255, 255, 0)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 1, 0, len(pixels), 2835, 2835, 2, 2)
    data = header + palette + pixels
    with open(name, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(data), 0, 0, 14 + 40 + len(palette)) + data)

GLYPHS = {
    'dxbarclose.bmp': [
        "..........",
        "..........",
        "..##....##",
        "...##..##.",
        "....####..",
        ".....##...",
        "....####..",
        "...##..##.",
        "..##....##",
        "..........",
    ],
    'dxbarrestore.bmp': [
        "..........",
        "....######",
        "....######",
        "....#....#",
        "..######.#",
        "..######.#",
        "..#....###",
        "..#....#..",
        "..#....#..",
        "..######..",
    ],
    'dxbarmaximize.bmp': [
        "..........",
        "..#######.",
        "..#######.",
        "..#.....#.",
        "..#.....#.",
        "..#.....#.",
        "..#.....#.",
        "..#.....#.",
        "..#######.",
        "..........",
    ],
    'dxbarminimize.bmp': [
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        "..........",
        "...######.",
        "...######.",
        "..........",
    ],
}

for file_name, art in GLYPHS.items():
    write_mono_bmp(file_name, art)
