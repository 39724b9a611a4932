#!/usr/bin/env python3
"""Writes the painters' small pictures as 24-bit BMP files: the Office-2003 sub-menu expand glyph
and expand boxes, and the six 8 x 9 row indicators on white. Run it from this folder to make them
again."""
import struct

def write_bmp(name, rows):
    h = len(rows)
    w = len(rows[0])
    stride = (w * 3 + 3) & ~3
    pixels = b''
    for row in reversed(rows):  # bottom-up
        line = b''.join(struct.pack('<BBB', b, g, r) for (r, g, b) in row)
        pixels += line + b'\0' * (stride - len(line))
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    data = header + pixels
    with open(name, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(data), 0, 0, 54) + data)

def picture(art, legend):
    return [[legend[ch] for ch in line] for line in art]

WHITE, BLACK = (255, 255, 255), (0, 0, 0)

# The sub-menu expand glyph: a double chevron pointing down. Its ground is the colour at (0, 0);
# the shaded pixels (neither ground nor black) are re-tinted to the colour scheme at run time.
SUBMENU = [
    "..........",
    ".#.....#..",
    ".##...##..",
    "..##.##...",
    "...###....",
    ".#..#..#..",
    ".##...##..",
    "..##.##...",
    "...###....",
    "....#.....",
    "..........",
]
shade = {'.': (255, 0, 255), '#': BLACK}
# Light to dark shades inside the chevrons give the re-tint its range.
rows = picture(SUBMENU, shade)
for y, line in enumerate(SUBMENU):
    for x, ch in enumerate(line):
        if ch == '.' and 0 < y < 10 and x < 9 and (
                (x + 1 < len(line) and line[x + 1] == '#') and (x > 0 and line[x - 1] == '#')):
            v = 120 + 12 * y
            rows[y][x] = (v, v, v)
write_bmp('dxsubmenuexpand.bmp', rows)

# The expand boxes: a framed 11 x 11 square with a light gradient and the sign. The corners are
# blended with the background when the box is drawn.
def expand_box(plus):
    frame = (124, 143, 164)
    rows = []
    for y in range(11):
        row = []
        for x in range(11):
            if x in (0, 10) or y in (0, 10):
                row.append(frame)
            else:
                v = 255 - 5 * y
                row.append((v - 8, v - 4, v))
        rows.append(row)
    for x in range(3, 8):
        rows[5][x] = BLACK
    if plus:
        for y in range(3, 8):
            rows[y][5] = BLACK
    return rows
write_bmp('dxexpandbutton_minus.bmp', expand_box(False))
write_bmp('dxexpandbutton_plus.bmp', expand_box(True))

# Row indicators, 8 x 9, black on white.
INDICATORS = {
    'cx_arrowbitmap.bmp': [
        "........",
        "..#.....",
        "..##....",
        "..###...",
        "..####..",
        "..###...",
        "..##....",
        "..#.....",
        "........"],
    'cx_editbitmap.bmp': [
        ".##.##..",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        ".##.##.."],
    'cx_insertbitmap.bmp': [
        "........",
        "...#....",
        ".#.#.#..",
        "..###...",
        "#######.",
        "..###...",
        ".#.#.#..",
        "...#....",
        "........"],
    'cx_multidotbitmap.bmp': [
        "........",
        "........",
        "..##....",
        "..##....",
        "........",
        "..##....",
        "..##....",
        "........",
        "........"],
    'cx_multiarrowbitmap.bmp': [
        "........",
        "#.#.....",
        "#.##....",
        "..###...",
        "#.####..",
        "..###...",
        "#.##....",
        "#.#.....",
        "........"],
    'cx_filterbitmap.bmp': [
        "........",
        "#######.",
        ".#####..",
        "..###...",
        "...#....",
        "...#....",
        "...#....",
        "...#....",
        "........"],
}
for name, art in INDICATORS.items():
    write_bmp(name, picture(art, {'.': WHITE, '#': BLACK}))
