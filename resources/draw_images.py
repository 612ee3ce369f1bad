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
    'b': (30, 70, 190),
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
    colour = colour or (255, 255, 255)
    return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(VGA[i], colour)))


def write_bmp4(path, picture):
    """A 16-colour BMP, as the tree's image list takes it."""
    size = len(picture)
    row_bytes = ((size * 4 + 31) // 32) * 4
    pixels = b''
    for row in reversed(picture):
        line = bytearray(row_bytes)
        for x, c in enumerate(row):
            line[x // 2] |= nearest(PALETTE[c]) << (4 if x % 2 == 0 else 0)
        pixels += bytes(line)
    palette = b''.join(bytes((b, g, r, 0)) for r, g, b in VGA)
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack('<2sIHHI', b'BM', offset + len(pixels), 0, 0, offset)
    with open(path, 'wb') as f:
        f.write(header + info + palette + pixels)


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
