#!/usr/bin/env python3
"""Writes the anchor pictures shown where middle-button panning began: a 32x32 grey disc with a
centre dot and arrow heads toward the directions the content can move (up and down, left and
right, or all four), as 24-bit bitmaps. Run it from this folder to make them again."""
import struct

N = 32
FACE = (0xF0, 0xF0, 0xF0)
INK = (0x00, 0x00, 0x00)

def picture(up_down, left_right):
    img = [[FACE] * N for _ in range(N)]
    def put(x, y):
        if 0 <= x < N and 0 <= y < N:
            img[y][x] = INK
    c = N // 2
    for dy in range(-1, 2):  # the centre dot, 3x3 less its corners
        for dx in range(-1, 2):
            if abs(dx) + abs(dy) < 2:
                put(c + dx, c + dy)
    for i in range(5):  # arrow heads 5 rows deep, 4 pixels from the edge
        for j in range(-i, i + 1):
            if up_down:
                put(c + j, 4 + i)
                put(c + j, N - 5 - i)
            if left_right:
                put(4 + i, c + j)
                put(N - 5 - i, c + j)
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

write('cx_verscrollbitmap.bmp', picture(True, False))
write('cx_horscrollbitmap.bmp', picture(False, True))
write('cx_fullscrollbitmap.bmp', picture(True, True))
