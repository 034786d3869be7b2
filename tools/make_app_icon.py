#!/usr/bin/env python3
"""Writes the program's icon (a player: body, screen, control wheel) as a Windows .ico with
16x16 and 32x32 images, 32 bits a pixel, the same drawing as the Qt front end's icon.

    make_app_icon.py OUTPUT.ico
"""
import struct
import sys

BODY = (70, 110, 170)
EDGE = (40, 40, 48)
SCREEN = (190, 225, 200)
WHEEL = (225, 228, 235)


def inside_rounded(x, y, left, top, width, height, radius):
    if not (left <= x <= left + width and top <= y <= top + height):
        return False
    cx = min(max(x, left + radius), left + width - radius)
    cy = min(max(y, top + radius), top + height - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """The drawing's colour at a point of the 32-unit square, or None outside it."""
    if (x - 16) ** 2 + (y - 22.5) ** 2 <= 2 ** 2:
        return BODY
    if (x - 16) ** 2 + (y - 22.5) ** 2 <= 5 ** 2:
        return WHEEL
    if (x - 16) ** 2 + (y - 22.5) ** 2 <= 6 ** 2:
        return EDGE
    if inside_rounded(x, y, 9, 4.5, 14, 10, 1.5):
        return SCREEN
    if inside_rounded(x, y, 6.6, 2.1, 18.8, 27.8, 3.4):
        return BODY
    if inside_rounded(x, y, 6, 1.5, 20, 29, 4):
        return EDGE
    return None


def pixel(px, py, size, samples=4):
    """Averages samples x samples points of the pixel: colour and coverage."""
    total = [0, 0, 0]
    hits = 0
    for sy in range(samples):
        for sx in range(samples):
            x = (px + (sx + 0.5) / samples) * 32 / size
            y = (py + (sy + 0.5) / samples) * 32 / size
            colour = colour_at(x, y)
            if colour:
                hits += 1
                total = [t + c for t, c in zip(total, colour)]
    if hits == 0:
        return (0, 0, 0, 0)
    r, g, b = (t // hits for t in total)
    return (r, g, b, 255 * hits // (samples * samples))


def image(size):
    """A BITMAPINFOHEADER of twice the height, bottom-up BGRA rows, then the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = bytearray()
    for py in reversed(range(size)):
        for px in range(size):
            r, g, b, a = pixel(px, py, size)
            rows += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    mask = bytearray()
    for py in reversed(range(size)):
        bits = bytearray(mask_row)
        for px in range(size):
            if pixel(px, py, size)[3] == 0:
                bits[px // 8] |= 0x80 >> (px % 8)
        mask += bits
    return header + rows + mask


def main():
    sizes = (32, 16)
    images = [image(size) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(sys.argv[1], "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
