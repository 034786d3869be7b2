#!/usr/bin/env python3
"""Turns 24-bit uncompressed BMP pictures into PNG files of the same name in a folder.

    bmp_to_png.py OUT_FOLDER PICTURE.bmp...
"""
import os
import struct
import sys
import zlib


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    width, height, planes, bits, compression = struct.unpack_from("<iiHHI", data, 18)
    if bits != 24 or compression != 0:
        raise ValueError(f"{path}: only 24-bit uncompressed pictures are read")
    if width <= 0 or height == 0:
        raise ValueError(f"{path}: no pixels")
    stride = (width * 3 + 3) & ~3
    if len(data) < offset + stride * abs(height):
        raise ValueError(f"{path}: cut short")
    rows = []
    for y in range(abs(height)):
        source = y if height < 0 else abs(height) - 1 - y  # bottom-up unless the height is negative
        row = data[offset + source * stride: offset + source * stride + width * 3]
        rgb = bytearray(len(row))
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::3], row[1::3], row[0::3]
        rows.append(bytes(rgb))
    return width, abs(height), rows


def chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def write_png(path, width, height, rows):
    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) < 3:
        sys.stderr.write(__doc__)
        return 2
    out = argv[1]
    for path in argv[2:]:
        try:
            width, height, rows = read_bmp(path)
        except (OSError, ValueError, struct.error) as error:
            sys.stderr.write(f"bmp_to_png: {error}\n")
            return 1
        target = os.path.join(out, os.path.splitext(os.path.basename(path))[0] + ".png")
        write_png(target, width, height, rows)
        print(target)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
