#!/usr/bin/env python3
"""Draws the about box's artwork:
  about.bmp       the picture (a pocket calculator showing "1+2=3"), 24-bit;
  link_hand.cur   the pointing hand over the mail line, 32x32, 32-bit with
                  alpha, hot spot (12, 5) on the tip of the index finger.

Usage: make_about_art.py RESOURCE_DIR   (the results are kept in resources/)
"""
import os
import struct
import sys

PICTURE_WIDTH, PICTURE_HEIGHT = 56, 68
HOT_SPOT = (12, 5)

SKY_TOP = (214, 228, 246)
SKY_BOTTOM = (246, 249, 253)
OUTLINE = (40, 44, 52)
BODY = (72, 80, 96)
DISPLAY = (190, 226, 200)
DIGITS = (30, 60, 40)
KEY = (236, 238, 242)
EQUALS = (240, 140, 40)

# 3x5 digit glyphs for the display, one string per row.
GLYPHS = {
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["##.", "..#", ".#.", "#..", "###"],
    "3": ["##.", "..#", ".#.", "..#", "##."],
    "+": ["...", ".#.", "###", ".#.", "..."],
    "=": ["...", "###", "...", "###", "..."],
}


def fill(image, left, top, right, bottom, colour):
    """Fills the half-open rectangle [left, right) x [top, bottom)."""
    for y in range(top, bottom):
        for x in range(left, right):
            image[y][x] = colour


def draw_text(image, left, top, text, colour):
    for glyph in text:
        for row, bits in enumerate(GLYPHS[glyph]):
            for column, bit in enumerate(bits):
                if bit == "#":
                    image[top + row][left + column] = colour
        left += 4


def draw_picture():
    width, height = PICTURE_WIDTH, PICTURE_HEIGHT
    image = []
    for y in range(height):  # a soft vertical gradient behind the calculator
        t = y / (height - 1)
        image.append([tuple(round(a + (b - a) * t) for a, b in zip(SKY_TOP, SKY_BOTTOM))] * width)
    left, top, right, bottom = 8, 5, width - 8, height - 5
    fill(image, left, top, right, bottom, OUTLINE)
    fill(image, left + 2, top + 2, right - 2, bottom - 2, BODY)
    for x, y in ((left, top), (right - 1, top), (left, bottom - 1), (right - 1, bottom - 1)):
        image[y][x] = image[y][0]  # rounded corners: the background shows
    display_top = top + 5
    fill(image, left + 4, display_top, right - 4, display_top + 11, DISPLAY)
    draw_text(image, right - 4 - 2 - 19, display_top + 3, "1+2=3", DIGITS)
    # A 4 x 4 key grid; the bottom right key is the orange equals key.
    key_width, key_height, gap = 6, 6, 2
    grid_left = left + 4
    grid_top = display_top + 15
    for row in range(4):
        for column in range(4):
            x = grid_left + column * (key_width + gap)
            y = grid_top + row * (key_height + gap)
            colour = EQUALS if (row, column) == (3, 3) else KEY
            fill(image, x, y, x + key_width, y + key_height, colour)
    return image


def bmp_bytes(image):
    """A bottom-up 24-bit BMP file."""
    height, width = len(image), len(image[0])
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(image):
        line = bytearray()
        for red, green, blue in row:
            line += bytes((blue, green, red))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    return file_header + header + pixels


def hand_shape():
    """The hand's filled pixels, as a set of (x, y), and its inner lines."""
    shape = set()

    def add(left, top, right, bottom):
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                shape.add((x, y))

    add(10, 5, 14, 18)   # index finger, its tip at the hot spot
    add(14, 10, 18, 18)  # middle finger
    add(18, 11, 22, 18)  # ring finger
    add(22, 13, 25, 19)  # little finger
    add(10, 17, 25, 27)  # palm
    add(6, 16, 10, 20)   # thumb
    add(7, 21, 10, 23)
    add(8, 24, 10, 25)
    for corner in ((10, 5), (14, 5), (14, 10), (18, 10), (18, 11), (22, 11), (22, 13), (25, 13),
                   (6, 16), (25, 27), (10, 27)):
        shape.discard(corner)
    lines = {(x, y) for x in (14, 18, 22) for y in range(13, 17)}
    return shape, lines


def draw_hand():
    size = 32
    shape, lines = hand_shape()
    image = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for x, y in shape:
        edge = any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        black = edge or (x, y) in lines
        image[y][x] = (0, 0, 0, 255) if black else (255, 255, 255, 255)
    return image


def cur_bytes(image, hot_spot):
    """A .cur file with one 32-bit image and its AND mask."""
    size = len(image)
    colour = bytearray()
    for row in reversed(image):
        for red, green, blue, alpha in row:
            colour += bytes((blue, green, red, alpha))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    data = header + colour + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hot_spot[0], hot_spot[1], len(data), 6 + 16)
    return directory + entry + data


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    out = sys.argv[1]
    with open(os.path.join(out, "about.bmp"), "wb") as f:
        f.write(bmp_bytes(draw_picture()))
    with open(os.path.join(out, "link_hand.cur"), "wb") as f:
        f.write(cur_bytes(draw_hand(), HOT_SPOT))


if __name__ == "__main__":
    main()
