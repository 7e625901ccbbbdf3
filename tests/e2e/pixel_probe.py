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
import sys

from xwd_dump import XwdDump


def colour_at(dump, x, y):
    if not (0 <= x < dump.width and 0 <= y < dump.height):
        sys.exit(f"{x},{y} lies outside the {dump.width}x{dump.height} window")
    return dump.rgb(x, y)


def main():
    dump = XwdDump(sys.argv[1])
    numbers = [int(v) for v in sys.argv[3:]]
    if sys.argv[2] == "range":
        x, y, *bounds = numbers
        colour = colour_at(dump, x, y)
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
                r, g, b = colour_at(dump, x, y)
                count += r > 150 and g < 100 and b < 100
                digest.update(bytes((r, g, b)))
        print(count, digest.hexdigest())
    else:
        sys.exit(f"unknown probe {sys.argv[2]}")


main()
