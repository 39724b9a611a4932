#!/usr/bin/env python3
"""Writes the component library's cursors: 32x32 pictures of black and white on a transparent
ground, each with its hot spot, as 32-bit cursor files with their mask. Run it from this folder to
make them again."""
import os
import struct
import sys

N = 32
def blank(): return [['.']*N for _ in range(N)]
ARROW = [
"B",
"BB",
"BWB",
"BWWB",
"BWWWB",
"BWWWWB",
"BWWWWWB",
"BWWWWWWB",
"BWWWWWWWB",
"BWWWWWWWWB",
"BWWWWWBBBBB",
"BWWBWWB",
"BWB BWWB",
"BB  BWWB",
"B    BWWB",
"     BWWB",
"      BB",
]
def put(img, x, y, c):
    if 0 <= x < N and 0 <= y < N: img[y][x] = c
def stamp(img, art, ox, oy):
    for y, row in enumerate(art):
        for x, ch in enumerate(row):
            if ch in 'BW': put(img, ox+x, oy+y, ch)
def box(img, x0, y0, x1, y1, fill='W'):
    for y in range(y0, y1+1):
        for x in range(x0, x1+1):
            put(img, x, y, 'B' if x in (x0, x1) or y in (y0, y1) else fill)
def plus(img, cx, cy):
    box(img, cx-4, cy-4, cx+4, cy+4)
    for d in range(-2, 3): put(img, cx+d, cy, 'B'); put(img, cx, cy+d, 'B')
def cross(img, cx, cy):
    box(img, cx-4, cy-4, cx+4, cy+4)
    for d in range(-2, 3): put(img, cx+d, cy+d, 'B'); put(img, cx+d, cy-d, 'B')
def dot(img, cx, cy):
    for y in range(-2, 3):
        for x in range(-2, 3):
            if x*x+y*y <= 5: put(img, cx+x, cy+y, 'B' if x*x+y*y >= 3 else 'W')
def tri(img, cx, cy, direction, size=5):
    # A filled arrow head pointing in direction ('u','d','l','r') with its tip at (cx, cy).
    for i in range(size):
        for j in range(-i, i+1):
            edge = abs(j) == i or i == size-1
            c = 'B' if edge else 'W'
            if direction == 'u': put(img, cx+j, cy+i, c)
            if direction == 'd': put(img, cx+j, cy-i, c)
            if direction == 'l': put(img, cx+i, cy+j, c)
            if direction == 'r': put(img, cx-i, cy+j, c)
def scroll(dirs):
    img = blank(); c = 15
    dot(img, c, c)
    if 'u' in dirs: tri(img, c, c-9, 'u')
    if 'd' in dirs: tri(img, c, c+9, 'd')
    if 'l' in dirs: tri(img, c-9, c, 'l')
    if 'r' in dirs: tri(img, c+9, c, 'r')
    return img, (c, c)
def arrow_with(extra):
    img = blank(); stamp(img, ARROW, 0, 0); extra(img); return img, (0, 0)
def drag(img): box(img, 8, 18, 18, 26)
def multidrag(img): box(img, 11, 16, 21, 24); box(img, 8, 19, 18, 27)
def split(horizontal):
    img = blank(); c = 15
    if horizontal:  # two vertical bars, arrows left and right
        for y in range(7, 24): put(img, c-1, y, 'B'); put(img, c+1, y, 'B'); put(img, c, y, 'W')
        for x in range(c-9, c+10): put(img, x, c, 'B')
        tri(img, c-9, c, 'l'); tri(img, c+9, c, 'r')
    else:
        for x in range(7, 24): put(img, x, c-1, 'B'); put(img, x, c+1, 'B'); put(img, x, c, 'W')
        for y in range(c-9, c+10): put(img, c, y, 'B')
        tri(img, c, c-9, 'u'); tri(img, c, c+9, 'd')
    return img, (c, c)
def nodrop():
    img = blank(); c = 15
    for y in range(N):
        for x in range(N):
            d2 = (x-c)**2 + (y-c)**2
            if 64 <= d2 <= 110: put(img, x, y, 'B')
            elif d2 < 64: put(img, x, y, 'W')
    for d in range(-6, 7):
        for w in (0, 1): put(img, c+d+w, c+d, 'B')
    return img, (c, c)
def picker():
    img = blank()
    # A pipette from the tip at the bottom left up to the bulb at the top right.
    for i in range(14):
        x, y = 1+i, 30-i
        put(img, x, y-1, 'B'); put(img, x+1, y, 'B'); put(img, x, y, 'W')
    for y in range(2, 12):
        for x in range(17, 29):
            d2 = (x-23)**2 + (y-7)**2
            if d2 <= 30: put(img, x, y, 'B' if d2 >= 20 else 'W')
    put(img, 0, 31, 'B')
    return img, (0, 31)
CURSORS = {
    'CX_DRAGCOPYCURSOR': arrow_with(lambda i: (drag(i), plus(i, 23, 23))),
    'CX_FULLSCROLLCURSOR': scroll('udlr'),
    'CX_HORSCROLLCURSOR': scroll('lr'),
    'CX_VERSCROLLCURSOR': scroll('ud'),
    'CX_UPSCROLLCURSOR': scroll('u'),
    'CX_RIGHTSCROLLCURSOR': scroll('r'),
    'CX_DOWNSCROLLCURSOR': scroll('d'),
    'CX_LEFTSCROLLCURSOR': scroll('l'),
    'CX_REMOVECURSOR': arrow_with(lambda i: cross(i, 20, 22)),
    'CX_VERTSIZECURSOR': split(False),
    'CX_HORZSIZECURSOR': split(True),
    'CX_MULTIDRAGCURSOR': arrow_with(multidrag),
    'CX_NODROPCURSOR': nodrop(),
    'CX_DRAGCURSOR': arrow_with(drag),
    'CX_COLORPICKERCURSOR': picker(),
    'CX_MULTIDRAGCOPYCURSOR': arrow_with(lambda i: (multidrag(i), plus(i, 25, 25))),
    # The editors' mouse-wheel cursor: the vertical scroll cursor's arrows around a dot.
    'CXEDIT_MOUSEWHEEL': scroll('ud'),
    # The bar library's: a link dragged as a small button, copied with a plus, refused with a
    # bar across it, and the edit item's width handle.
    'DXBARDRAGCURSOR': arrow_with(lambda i: box(i, 9, 18, 21, 24)),
    'DXBARDRAGCOPYCURSOR': arrow_with(lambda i: (box(i, 9, 18, 21, 24), plus(i, 25, 25))),
    'DXBARDRAGNODROPCURSOR': arrow_with(lambda i: (box(i, 9, 18, 21, 24), cross(i, 25, 25))),
    'DXBAREDITSIZINGCURSOR': split(True),
}
def cur_bytes(img, hot):
    # 32-bit BGRA image with a 1-bit AND mask, bottom-up, in a one-entry .cur file.
    xor = bytearray()
    for y in reversed(range(N)):
        for x in range(N):
            c = img[y][x]
            xor += bytes((0,0,0,255)) if c == 'B' else bytes((255,255,255,255)) if c == 'W' else bytes(4)
    andm = bytearray()
    for y in reversed(range(N)):
        bits = 0
        for x in range(N):
            if img[y][x] == '.': bits |= 1 << (31-x)
        andm += struct.pack('>I', bits)
    header = struct.pack('<IiiHHIIiiII', 40, N, 2*N, 1, 32, 0, len(xor)+len(andm), 0, 0, 0, 0)
    data = header + xor + andm
    return struct.pack('<HHH', 0, 2, 1) + struct.pack('<BBBBHHII', N, N, 0, 0, hot[0], hot[1], len(data), 22) + data
out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
for name, (img, hot) in CURSORS.items():
    with open(os.path.join(out, name.lower() + '.cur'), 'wb') as f:
        f.write(cur_bytes(img, hot))
