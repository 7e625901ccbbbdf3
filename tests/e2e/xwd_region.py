#!/usr/bin/env python3
"""Prints a digest of a rectangle of an xwd dump, so that two looks can be compared.

Usage: xwd_region.py FILE LEFT TOP RIGHT BOTTOM   (right and bottom exclusive)
"""
import hashlib
import sys

from xwd_dump import XwdDump


def main():
    dump = XwdDump(sys.argv[1])
    left, top, right, bottom = dump.rectangle(sys.argv[2:6])
    digest = hashlib.sha1()
    for y in range(top, bottom):
        for x in range(left, right):
            digest.update(dump.raw(x, y))
    print(digest.hexdigest())


main()
