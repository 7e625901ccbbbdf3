#!/usr/bin/env python3
"""Writes a rectangle of a 24- or 32-bit xwd dump as an opaque PNG image.

Usage: xwd-to-png.py IN.xwd OUT.png [LEFT TOP WIDTH HEIGHT]   (the whole dump without one)
"""
import struct
import sys
import zlib


def read_xwd(path):
    data = open(path, "rb").read()
    if len(data) < 100:
        sys.exit(f"{path}: not an xwd dump")
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    byte_order = header[7]  # 0: least significant byte first
    if bits_per_pixel not in (24, 32):
        sys.exit(f"{path}: {bits_per_pixel} bits per pixel, not 24 or 32")
    start = header_size + colours * 12
    if len(data) < start + bytes_per_line * height:
        sys.exit(f"{path}: cut short")
    return data, start, width, height, bytes_per_line, byte_order, bits_per_pixel // 8


def png_chunk(kind, body):
    return (struct.pack(">I", len(body)) + kind + body +
            struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))


def main():
    if len(sys.argv) not in (3, 7):
        sys.exit(__doc__.strip())
    data, start, width, height, stride, byte_order, size = read_xwd(sys.argv[1])
    left, top, w, h = (int(v) for v in sys.argv[3:7]) if len(sys.argv) == 7 else (0, 0, width, height)
    if not (0 <= left and 0 <= top and 0 < w and 0 < h and left + w <= width and top + h <= height):
        sys.exit(f"the rectangle lies outside the {width}x{height} dump")
    red, green, blue = (2, 1, 0) if byte_order == 0 else (size - 3, size - 2, size - 1)
    rows = bytearray()
    for y in range(top, top + h):
        rows.append(0)  # no filter
        row = start + y * stride
        for x in range(left, left + w):
            p = row + x * size
            rows += bytes((data[p + red], data[p + green], data[p + blue]))
    png = (b"\x89PNG\r\n\x1a\n" +
           png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
           png_chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + png_chunk(b"IEND", b""))
    open(sys.argv[2], "wb").write(png)


main()
