#!/usr/bin/env python3
"""Draws the program icon (a pocket calculator) and writes it as a Windows
.ico file with 16x16 and 32x32 images, 32-bit with alpha.

Usage: make_icon.py OUTPUT.ico   (the result is kept as resources/tarvik.ico)
"""
import struct
import sys

TRANSPARENT = (0, 0, 0, 0)
OUTLINE = (40, 44, 52, 255)
BODY = (72, 80, 96, 255)
DISPLAY = (190, 226, 200, 255)
DIGITS = (30, 60, 40, 255)
KEY = (236, 238, 242, 255)
EQUALS = (240, 140, 40, 255)


def fill(image, left, top, right, bottom, colour):
    """Fills the half-open rectangle [left, right) x [top, bottom)."""
    for y in range(top, bottom):
        for x in range(left, right):
            image[y][x] = colour


def draw(size):
    """The glyph for one icon size: a rounded body, a display, a key grid."""
    image = [[TRANSPARENT] * size for _ in range(size)]
    unit = size // 16  # 1 at 16x16, 2 at 32x32
    margin = 2 * unit
    left, right = margin, size - margin
    top, bottom = 0, size
    fill(image, left, top, right, bottom, OUTLINE)
    fill(image, left + unit, top + unit, right - unit, bottom - unit, BODY)
    # Rounded corners: clear the outermost corner pixels.
    for corner_x in (left, right - unit):
        for corner_y in (top, bottom - unit):
            fill(image, corner_x, corner_y, corner_x + unit, corner_y + unit, TRANSPARENT)
    # Display with a few digit strokes on its right.
    display_top, display_bottom = top + 2 * unit, top + 5 * unit
    fill(image, left + 2 * unit, display_top, right - 2 * unit, display_bottom, DISPLAY)
    for digit in range(2):
        x = right - (4 + 2 * digit) * unit
        fill(image, x, display_top + unit, x + unit, display_bottom - unit if unit > 1 else display_bottom - unit, DIGITS)
    # Keys: three columns and three rows of white keys; the last key of the
    # bottom row is the orange equals key.
    key_left = left + 2 * unit
    key_top = top + 7 * unit
    for row in range(3):
        for column in range(3):
            x = key_left + column * 3 * unit
            y = key_top + row * 2 * unit + (row * unit if unit > 1 else 0)
            colour = EQUALS if (row, column) == (2, 2) else KEY
            width = 2 * unit
            height = unit if unit == 1 else 2 * unit
            fill(image, x, y, x + width, y + height, colour)
    return image


def bitmap_bytes(image):
    """The image as an icon bitmap: header, BGRA rows bottom-up, AND mask."""
    size = len(image)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for row in reversed(image):
        for red, green, blue, alpha in row:
            pixels += bytes((blue, green, red, alpha))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def icon_file(sizes):
    images = [bitmap_bytes(draw(size)) for size in sizes]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, data in zip(sizes, images):
        entries += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b''.join(images)


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit('usage: make_icon.py OUTPUT.ico')
    with open(sys.argv[1], 'wb') as output:
        output.write(icon_file([16, 32]))
