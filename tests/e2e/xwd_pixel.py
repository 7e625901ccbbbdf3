#!/usr/bin/env python3
"""Prints "WIDTHxHEIGHT R G B" of an xwd dump: its size and the colour at X, Y.

Usage: xwd_pixel.py FILE X Y
"""
import struct
import sys


def main():
    data = open(sys.argv[1], "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order = header[0], header[4], header[5], header[7]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit(f"unexpected {bits_per_pixel} bits per pixel")
    x, y = int(sys.argv[2]), int(sys.argv[3])
    offset = header_size + colours * 12 + y * bytes_per_line + x * 4
    pixel = data[offset:offset + 4]
    if byte_order == 0:  # least significant byte first: blue, green, red, unused
        pixel = pixel[::-1]
    red, green, blue = pixel[1], pixel[2], pixel[3]
    print(f"{width}x{height} {red} {green} {blue}")


main()
