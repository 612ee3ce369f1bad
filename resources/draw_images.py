#!/usr/bin/env python3
"""Draws the program's pictograms as committed image files.

Run from this folder: python3 draw_images.py
Each picture is a small grid of characters, one per pixel, mapped to the
palette below, so that a picture can be read and changed in this file.
"""
import struct

PALETTE = {
    '.': None,               # transparent
    'k': (0, 0, 0),
    'w': (255, 255, 255),
    'r': (200, 30, 30),
    'b': (20, 40, 220),
    'G': (0, 160, 0),
    'g': (128, 128, 128),
    'y': (240, 200, 40),
}

# The program's icon: a broadcast mast sending waves.
ICON_16 = [
    "................",
    "..b..........b..",
    ".b..b......b..b.",
    ".b.b...rr...b.b.",
    ".b.b..rrrr..b.b.",
    ".b..b.rrrr.b..b.",
    "..b....rr....b..",
    ".......kk.......",
    "......k..k......",
    "......kkkk......",
    ".....k.kk.k.....",
    ".....kk..kk.....",
    "....k.kkkk.k....",
    "....kk....kk....",
    "...k........k...",
    "..kkkkkkkkkkkk..",
]


# Tree images, 16 x 16 in 16 colours: image index = node kind.
TREE_ROOT = [  # the station: a mast on its base
    "................",
    ".......rr.......",
    "......rrrr......",
    ".......rr.......",
    ".......kk.......",
    "......k..k......",
    "......kkkk......",
    ".....k.kk.k.....",
    ".....kk..kk.....",
    "....k.kkkk.k....",
    "....kk....kk....",
    "...k..kkkk..k...",
    "...kkk....kkk...",
    "..k..........k..",
    ".gggggggggggggg.",
    "................",
]
TREE_SCHEDULE = [  # a programme: a clock face
    "................",
    ".....kkkkkk.....",
    "...kkwwwwwwkk...",
    "..kwwwwbwwwwwk..",
    "..kwwwwbwwwwwk..",
    ".kwwwwwbwwwwwwk.",
    ".kwwwwwbwwwwwwk.",
    ".kwwwwwbbbbbwwk.",
    ".kwwwwwwwwwwwwk.",
    ".kwwwwwwwwwwwwk.",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "...kkwwwwwwkk...",
    ".....kkkkkk.....",
    "................",
    "................",
]
TREE_FILE = [  # an audio file: a note
    "................",
    "........bbbbb...",
    "........bbbbbbb.",
    "........b....bb.",
    "........b.....b.",
    "........b.....b.",
    "........b.....b.",
    "........b.....b.",
    "........b.....b.",
    "....bbbbb.....b.",
    "...bbbbbb.bbbbb.",
    "...bbbbbbbbbbbb.",
    "....bbbb.bbbbbb.",
    ".........bbbbb..",
    "................",
    "................",
]

# The 16 colours of the classic VGA palette; transparent pixels become the
# window background grey of the tree (white).
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
       (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
       (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def nearest(colour):
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(VGA[i], colour)))


def write_bmp4(path, picture, background=(255, 255, 255)):
    """A 16-colour BMP; transparent pixels take the background colour (the
    toolbar turns light grey into the button face)."""
    height = len(picture)
    width = len(picture[0])
    row_bytes = ((width * 4 + 31) // 32) * 4
    pixels = b''
    for row in reversed(picture):
        line = bytearray(row_bytes)
        for x, c in enumerate(row):
            line[x // 2] |= nearest(PALETTE[c] or background) << (4 if x % 2 == 0 else 0)
        pixels += bytes(line)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in VGA)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(header + info + palette + pixels)


class Canvas:
    """A 16 x 16 picture drawn with a few primitives; colours are palette keys."""

    def __init__(self):
        self.rows = [['.'] * 16 for _ in range(16)]

    def dot(self, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16:
            self.rows[y][x] = c

    def box(self, x0, y0, x1, y1, c, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge or fill:
                    self.dot(x, y, c if edge else fill)

    def line(self, x0, y0, x1, y1, c):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.dot(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), c)

    def ring(self, cx, cy, r, c, fill=None):
        for y in range(16):
            for x in range(16):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if abs(d - r) < 0.6:
                    self.dot(x, y, c)
                elif fill and d < r:
                    self.dot(x, y, fill)

    def triangle(self, points, c):
        (ax, ay), (bx, by), (cx, cy) = points
        for y in range(16):
            for x in range(16):
                d1 = (x - bx) * (ay - by) - (ax - bx) * (y - by)
                d2 = (x - cx) * (by - cy) - (bx - cx) * (y - cy)
                d3 = (x - ax) * (cy - ay) - (cx - ax) * (y - ay)
                if not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0)):
                    self.dot(x, y, c)

    def picture(self):
        return ["".join(row) for row in self.rows]


def toolbar_images():
    """The 16 images of the toolbar strip, by image index."""
    images = []

    c = Canvas()  # 0 edit: a pencil
    c.line(3, 12, 11, 4, 'y'); c.line(4, 13, 12, 5, 'y'); c.line(3, 13, 3, 13, 'k')
    c.line(11, 3, 13, 5, 'r'); c.line(2, 14, 4, 14, 'k')
    images.append(c)
    c = Canvas()  # 1 add: a plus
    c.box(6, 2, 9, 13, 'G', 'G'); c.box(2, 6, 13, 9, 'G', 'G')
    images.append(c)
    c = Canvas()  # 2 delete: a cross
    for d in range(-1, 2):
        c.line(3 + d, 3, 12 + d, 12, 'r'); c.line(12 + d, 3, 3 + d, 12, 'r')
    images.append(c)
    c = Canvas()  # 3 open: a folder
    c.box(1, 4, 6, 6, 'k', 'y'); c.box(1, 6, 14, 13, 'k', 'y')
    images.append(c)
    c = Canvas()  # 4 save: a disk
    c.box(2, 2, 13, 13, 'k', 'b'); c.box(4, 2, 11, 6, 'k', 'w'); c.box(5, 9, 10, 13, 'k', 'g')
    images.append(c)
    c = Canvas()  # 5 search: a magnifier
    c.ring(6, 6, 4, 'k', 'w'); c.line(9, 9, 13, 13, 'k'); c.line(10, 9, 14, 13, 'k')
    images.append(c)
    c = Canvas()  # 6 settings: a gear
    c.ring(8, 8, 5, 'g', 'g'); c.ring(8, 8, 2, 'k', 'w')
    for x, y in ((8, 1), (8, 14), (1, 8), (14, 8)):
        c.box(x - 1, y - 1, x + 1, y + 1, 'g', 'g')
    images.append(c)
    c = Canvas()  # 7 log: a page of lines
    c.box(3, 1, 12, 14, 'k', 'w')
    for y in (4, 6, 8, 10, 12):
        c.line(5, y, 10, y, 'b')
    images.append(c)
    c = Canvas()  # 8 play: a triangle
    c.triangle(((4, 2), (4, 13), (13, 8)), 'G')
    images.append(c)
    c = Canvas()  # 9 stop: a square
    c.box(3, 3, 12, 12, 'k', 'r')
    images.append(c)
    c = Canvas()  # 10 the player: a speaker
    c.box(2, 6, 4, 10, 'k', 'k'); c.triangle(((4, 6), (9, 1), (9, 14)), 'k')
    c.line(4, 8, 9, 8, 'k'); c.line(11, 5, 11, 11, 'b'); c.line(13, 3, 13, 13, 'b')
    images.append(c)
    c = Canvas()  # 11 tag editor: a tag
    c.triangle(((1, 8), (5, 4), (5, 12)), 'y'); c.box(5, 4, 14, 12, 'k', 'y')
    c.dot(4, 8, 'k'); c.line(7, 7, 12, 7, 'k'); c.line(7, 9, 11, 9, 'k')
    images.append(c)
    c = Canvas()  # 12 XTrack: a waveform
    for x, h in enumerate((1, 3, 5, 2, 6, 4, 7, 3, 5, 2, 6, 3, 4, 1)):
        c.line(x + 1, 8 - h, x + 1, 8 + h, 'b')
    images.append(c)
    c = Canvas()  # 13 loading schedules: a page with a clock
    c.box(1, 1, 9, 13, 'k', 'w'); c.line(3, 4, 7, 4, 'b'); c.line(3, 6, 7, 6, 'b')
    c.ring(10, 10, 4, 'k', 'w'); c.line(10, 10, 10, 7, 'k'); c.line(10, 10, 12, 10, 'k')
    images.append(c)
    c = Canvas()  # 14 standard clock: a clock face
    c.ring(7, 7, 6, 'k', 'w'); c.line(7, 7, 7, 3, 'k'); c.line(7, 7, 10, 9, 'r')
    images.append(c)
    c = Canvas()  # 15 unused
    images.append(c)
    return [image.picture() for image in images]


def strip(pictures):
    return ["".join(p[y] for p in pictures) for y in range(16)]


def scale(picture, factor):
    return ["".join(c * factor for c in row) for row in picture for _ in range(factor)]


def dib_32(picture):
    """A 32-bit BGRA DIB with its AND mask, as an ICO entry wants it."""
    size = len(picture)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b''
    for row in reversed(picture):
        for c in row:
            colour = PALETTE[c]
            pixels += bytes((0, 0, 0, 0)) if colour is None else bytes((colour[2], colour[1], colour[0], 255))
    mask_row = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(picture):
        line = bytearray(mask_row)
        for x, c in enumerate(row):
            if PALETTE[c] is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + pixels + mask


def write_ico(path, pictures):
    images = [dib_32(p) for p in pictures]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for picture, data in zip(pictures, images):
        size = len(picture)
        out += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    write_ico('airvane.ico', [ICON_16, scale(ICON_16, 2)])
    write_bmp4('tree_root.bmp', TREE_ROOT)
    write_bmp4('tree_schedule.bmp', TREE_SCHEDULE)
    write_bmp4('tree_file.bmp', TREE_FILE)
    write_bmp4('toolbar.bmp', strip(toolbar_images()), background=(192, 192, 192))
