#!/usr/bin/env python3
"""Draws the program icon (a pocket calculator) and writes it as a Windows
.ico file with 16, 20, 24, 32, 48 and 256 pixel images, 32-bit with alpha;
the 256 pixel image is PNG-compressed, as Windows Vista and later read it.

Every size is drawn on its own pixel grid (key, display and border edges fall
on whole pixels, so the small images stay sharp); only the rounded corners of
the body are smoothed.

Usage: make_icon.py OUTPUT.ico   (the result is kept as resources/tarvik.ico)
"""
import struct
import sys
import zlib

SIZES = [16, 20, 24, 32, 48, 256]
# Images this large are stored as PNG; the smaller ones as bitmaps, which every
# Windows version and every icon consumer reads.
PNG_FROM = 256

TRANSPARENT = (0, 0, 0, 0)
OUTLINE = (40, 44, 52, 255)
BODY = (72, 80, 96, 255)
DISPLAY = (190, 226, 200, 255)
DIGITS = (30, 60, 40, 255)
KEY = (236, 238, 242, 255)
EQUALS = (240, 140, 40, 255)

SUBSAMPLES = 4  # per pixel and axis, for the rounded corners


def pixels(value, unit):
    """A length of the 16-pixel design in whole pixels of an image of 16 * unit."""
    return int(value * unit + 0.5)


def inside_rounded(x, y, left, top, right, bottom, radius):
    """Whether the point lies in the rectangle with corners of that radius."""
    if not (left <= x < right and top <= y < bottom):
        return False
    corner_x = min(max(x, left + radius), right - radius)
    corner_y = min(max(y, top + radius), bottom - radius)
    return (x - corner_x) ** 2 + (y - corner_y) ** 2 <= radius ** 2


def paint_rounded(image, left, top, right, bottom, radius, colour):
    """Paints a rounded rectangle over the image, its corner pixels blended by
    how much of them the shape covers."""
    step = 1 / SUBSAMPLES
    for y in range(top, bottom):
        for x in range(left, right):
            covered = sum(
                inside_rounded(x + (i + 0.5) * step, y + (j + 0.5) * step,
                               left, top, right, bottom, radius)
                for i in range(SUBSAMPLES) for j in range(SUBSAMPLES))
            if covered:
                image[y][x] = over(colour, covered / SUBSAMPLES ** 2, image[y][x])


def over(colour, coverage, below):
    """colour with the given coverage composited over the pixel below."""
    alpha = colour[3] / 255 * coverage
    below_alpha = below[3] / 255
    result_alpha = alpha + below_alpha * (1 - alpha)
    if result_alpha == 0:
        return TRANSPARENT
    channels = tuple(
        int((colour[c] * alpha + below[c] * below_alpha * (1 - alpha)) / result_alpha + 0.5)
        for c in range(3))
    return channels + (int(result_alpha * 255 + 0.5),)


def fill(image, left, top, right, bottom, colour):
    """Fills the half-open rectangle [left, right) x [top, bottom)."""
    for y in range(top, bottom):
        for x in range(left, right):
            image[y][x] = colour


def draw(size):
    """The glyph for one icon size: a rounded body, a display, a key grid."""
    image = [[TRANSPARENT] * size for _ in range(size)]
    unit = size / 16
    margin = pixels(2, unit)
    left, right, top, bottom = margin, size - margin, 0, size
    border = max(1, pixels(0.75, unit))
    radius = max(1.0, 1.5 * unit)
    paint_rounded(image, left, top, right, bottom, radius, OUTLINE)
    paint_rounded(image, left + border, top + border, right - border, bottom - border,
                  max(radius - border, 0.5), BODY)
    # Display with two digit strokes on its right.
    inset = pixels(4, unit)
    display_top, display_bottom = pixels(2, unit), pixels(5.5, unit)
    fill(image, inset, display_top, size - inset, display_bottom, DISPLAY)
    stroke, gap = max(1, pixels(1, unit)), max(1, pixels(0.75, unit))
    for digit in range(2):
        x = size - inset - pixels(1 + 2 * digit, unit) - stroke
        fill(image, x, display_top + gap, x + stroke, display_bottom - gap, DIGITS)
    # Keys: three columns and three rows of white keys; the last key of the
    # bottom row is the orange equals key.
    key_width, key_height = pixels(2, unit), max(1, pixels(1.25, unit))
    column_pitch, row_pitch = pixels(3, unit), pixels(2.5, unit)
    keys_top = pixels(6.5, unit)
    for row in range(3):
        for column in range(3):
            x = inset + column * column_pitch
            y = keys_top + row * row_pitch
            colour = EQUALS if (row, column) == (2, 2) else KEY
            fill(image, x, y, x + key_width, y + key_height, colour)
    return image


def bitmap_bytes(image):
    """The image as an icon bitmap: header, BGRA rows bottom-up, AND mask."""
    size = len(image)
    header = struct.pack('<IiiHHIIiiII', 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels_ = bytearray()
    for row in reversed(image):
        for red, green, blue, alpha in row:
            pixels_ += bytes((blue, green, red, alpha))
    mask_row_bytes = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image):
        bits = bytearray(mask_row_bytes)
        for x, (_, _, _, alpha) in enumerate(row):
            if alpha == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels_) + bytes(mask)


def png_bytes(image):
    """The image as a PNG file: 8-bit RGBA, rows unfiltered, one IDAT."""
    size = len(image)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))

    rows = b''.join(b'\0' + bytes(channel for pixel in row for channel in pixel) for row in image)
    return (b'\x89PNG\r\n\x1a\n'
            + chunk(b'IHDR', struct.pack('>IIBBBBB', size, size, 8, 6, 0, 0, 0))
            + chunk(b'IDAT', zlib.compress(rows, 9))
            + chunk(b'IEND', b''))


def icon_file(sizes):
    images = [png_bytes(draw(size)) if size >= PNG_FROM else bitmap_bytes(draw(size))
              for size in sizes]
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries = b''
    for size, data in zip(sizes, images):
        # A width or height of 256 is written as 0.
        entries += struct.pack('<BBBBHHII', size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return directory + entries + b''.join(images)


if __name__ == '__main__':
    if len(sys.argv) != 2:
        sys.exit('usage: make_icon.py OUTPUT.ico')
    with open(sys.argv[1], 'wb') as output:
        output.write(icon_file(SIZES))
