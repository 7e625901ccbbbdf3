#!/usr/bin/env python3
"""Prints how many pixels of a rectangle of an xwd dump are bright (any channel above 150).

Usage: xwd_bright.py FILE LEFT TOP RIGHT BOTTOM   (right and bottom exclusive)
"""
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
    bright = 0
    for y in range(top, bottom):
        row = pixels + y * bytes_per_line
        for x in range(left, right):
            if max(data[row + x * 4:row + x * 4 + 3]) > 150:
                bright += 1
    print(bright)


main()
