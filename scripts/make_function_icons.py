#!/usr/bin/env python3
"""Draws the two 16x16 row icons of the functions list and writes them as
Windows .ico files, 32-bit with alpha:

  builtin_function.ico  an "f" on a blue tile (functions the calculator has)
  user_function.ico     an "f" on a green tile with a pencil (the user's own)

Usage: make_function_icons.py OUTPUT_FOLDER   (kept under resources/)
"""
import os
import struct
import sys

# The icon bitmap encoding is the program icon's.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icon import bitmap_bytes  # noqa: E402

COLOURS = {
    '.': (0, 0, 0, 0),            # transparent
    'o': (40, 44, 52, 255),       # outline
    'b': (70, 120, 200, 255),     # built-in tile
    'g': (70, 160, 90, 255),      # user tile
    'w': (255, 255, 255, 255),    # letter
    'y': (250, 200, 60, 255),     # pencil body
    'p': (230, 120, 120, 255),    # pencil end
    'k': (40, 40, 40, 255),       # pencil lead
}

# A rounded tile with a white "f"; TILE is replaced by the tile's colour.
TILE_WITH_F = [
    '................',
    '..oooooooooooo..',
    '.oTTTTTTTTTTTTo.',
    '.oTTTTTTTwwwTTo.',
    '.oTTTTTTwwTTTTo.',
    '.oTTTTTTwwTTTTo.',
    '.oTTTTwwwwwwTTo.',
    '.oTTTTTTwwTTTTo.',
    '.oTTTTTTwwTTTTo.',
    '.oTTTTTTwwTTTTo.',
    '.oTTTTTTwwTTTTo.',
    '.oTTTTTwwTTTTTo.',
    '.oTTTTwwTTTTTTo.',
    '.oTTTTTTTTTTTTo.',
    '..oooooooooooo..',
    '................',
]

# The pencil drawn over the user tile's lower right corner.
PENCIL = {
    (15, 8): 'p', (14, 9): 'y', (15, 9): 'p',
    (13, 10): 'y', (14, 10): 'y', (12, 11): 'y', (13, 11): 'y',
    (11, 12): 'y', (12, 12): 'y', (10, 13): 'y', (11, 13): 'y',
    (9, 14): 'k', (10, 14): 'y', (9, 15): 'k',
}


def picture(tile, extra=None):
    rows = [list(row.replace('T', tile)) for row in TILE_WITH_F]
    for (x, y), code in (extra or {}).items():
        rows[y][x] = code
    return [[COLOURS[code] for code in row] for row in rows]


def icon_file(image):
    data = bitmap_bytes(image)
    size = len(image)
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), 6 + 16)
    return directory + entry + data


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit('usage: make_function_icons.py OUTPUT_FOLDER')
    icons = {
        'builtin_function.ico': picture('b'),
        'user_function.ico': picture('g', PENCIL),
    }
    for name, image in icons.items():
        with open(os.path.join(sys.argv[1], name), 'wb') as output:
            output.write(icon_file(image))
