#!/usr/bin/env python3
"""Pixel probes on an xwd dump of a window.

Usage: pixel_probe.py FILE range X Y RMIN RMAX GMIN GMAX BMIN BMAX
           exits 1 and prints the colour when the pixel at X, Y lies outside the ranges
       pixel_probe.py FILE red LEFT TOP RIGHT BOTTOM
           prints how many pixels of the rectangle (right and bottom exclusive) are red:
           red above 150 while green and blue stay below 100, and a digest of the rectangle,
           so that two looks can be compared
"""
import hashlib
import struct
import sys


def read_xwd(path):
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order = header[0], header[4], header[5], header[7]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit(f"unexpected {bits_per_pixel} bits per pixel")
    pixels = header_size + colours * 12

    def at(x, y):
        if not (0 <= x < width and 0 <= y < height):
            sys.exit(f"{x},{y} lies outside the {width}x{height} window")
        pixel = data[pixels + y * bytes_per_line + x * 4:][:4]
        if byte_order == 0:  # least significant byte first: blue, green, red, unused
            pixel = pixel[::-1]
        return pixel[1], pixel[2], pixel[3]

    return at


def main():
    at = read_xwd(sys.argv[1])
    numbers = [int(v) for v in sys.argv[3:]]
    if sys.argv[2] == "range":
        x, y, *bounds = numbers
        colour = at(x, y)
        inside = all(bounds[2 * i] <= colour[i] <= bounds[2 * i + 1] for i in range(3))
        if not inside:
            print(f"{x},{y} is {colour[0]} {colour[1]} {colour[2]}")
            sys.exit(1)
    elif sys.argv[2] == "red":
        left, top, right, bottom = numbers
        count = 0
        digest = hashlib.sha1()
        for y in range(top, bottom):
            for x in range(left, right):
                r, g, b = at(x, y)
                count += r > 150 and g < 100 and b < 100
                digest.update(bytes((r, g, b)))
        print(count, digest.hexdigest())
    else:
        sys.exit(f"unknown probe {sys.argv[2]}")


main()
