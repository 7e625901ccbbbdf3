#!/usr/bin/env python3
"""Prints how many pixels of a rectangle of an xwd dump are bright (any channel above 150).

Usage: xwd_bright.py FILE LEFT TOP RIGHT BOTTOM   (right and bottom exclusive)
"""
import sys

from xwd_dump import XwdDump


def main():
    dump = XwdDump(sys.argv[1])
    left, top, right, bottom = dump.rectangle(sys.argv[2:6])
    print(sum(1 for y in range(top, bottom) for x in range(left, right)
              if max(dump.raw(x, y)) > 150))


main()
