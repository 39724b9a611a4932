#!/usr/bin/env python3
"""Writes the status bar's seven indicator lamps (17 x 8, 16 colours) as 4-bit BMP files: a dark
rounded lamp on the button face, filled with its colour and lit along the top. Run it from this
folder to make them again."""
import struct

# The sixteen colours every 4-bit display knows, as (r, g, b).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, SILVER, GRAY, WHITE = 0, 7, 8, 15

LAMP = [
    "..ooooooooooooo..",
    ".oHHHHHHHHHHHHHo.",
    "oHHFFFFFFFFFFFFFo",
    "oFFFFFFFFFFFFFFFo",
    "oFFFFFFFFFFFFFFFo",
    "oFFFFFFFFFFFFFFFo",
    ".oFFFFFFFFFFFFFo.",
    "..ooooooooooooo..",
]

# name: (fill, light), as palette indexes.
LAMPS = {
    'dxstatusbar_gray.bmp': (GRAY, SILVER),
    'dxstatusbar_yellow.bmp': (3, 11),
    'dxstatusbar_blue.bmp': (4, 12),
    'dxstatusbar_green.bmp': (2, 10),
    'dxstatusbar_red.bmp': (1, 9),
    'dxstatusbar_teal.bmp': (6, 14),
    'dxstatusbar_purple.bmp': (5, 13),
}


def write_bmp4(name, rows):
    h, w = len(rows), len(rows[0])
    stride = ((w + 1) // 2 + 3) & ~3
    pixels = b''
    for row in reversed(rows):  # bottom-up
        packed = bytearray(stride)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        pixels += bytes(packed)
    palette = b''.join(struct.pack('<BBBB', b, g, r, 0) for (r, g, b) in PALETTE)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 4, 0, len(pixels), 2835, 2835, 16, 16)
    offset = 14 + len(header) + len(palette)
    data = header + palette + pixels
    with open(name, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + len(data), 0, 0, offset) + data)


for name, (fill, light) in LAMPS.items():
    legend = {'.': SILVER, 'o': BLACK, 'F': fill, 'H': light}
    write_bmp4(name, [[legend[ch] for ch in line] for line in LAMP])
