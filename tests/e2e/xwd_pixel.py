#!/usr/bin/env python3
"""Prints "WIDTHxHEIGHT R G B" of an xwd dump: its size and the colour at X, Y.

Usage: xwd_pixel.py FILE X Y
"""
import sys

from xwd_dump import XwdDump


def main():
    dump = XwdDump(sys.argv[1])
    red, green, blue = dump.rgb(int(sys.argv[2]), int(sys.argv[3]))
    print(f"{dump.width}x{dump.height} {red} {green} {blue}")


main()
