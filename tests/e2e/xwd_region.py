#!/usr/bin/env python3
"""Prints a digest of a rectangle of an xwd dump, so that two looks can be compared.

Usage: xwd_region.py FILE LEFT TOP RIGHT BOTTOM   (right and bottom exclusive)
"""
import hashlib
import struct
import sys


def main():
    data = open(sys.argv[1], "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height = header[0], header[4], header[5]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit(f"unexpected {bits_per_pixel} bits per pixel")
    left, top, right, bottom = (int(v) for v in sys.argv[2:6])
    if not (0 <= left < right <= width and 0 <= top < bottom <= height):
        sys.exit(f"the rectangle lies outside the {width}x{height} window")
    pixels = header_size + colours * 12
    digest = hashlib.sha1()
    for y in range(top, bottom):
        row = pixels + y * bytes_per_line
        for x in range(left, right):
            digest.update(data[row + x * 4:row + x * 4 + 3])
    print(digest.hexdigest())


main()
