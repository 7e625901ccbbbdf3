#!/usr/bin/env python3
"""Checks an xwd dump of the sprite window: prints one line per failed check, exits 1 then.

Each check is a region of the window and how many of its pixels must be bright (any colour
channel above 150) - at least one, or none at all.
"""
import sys

from xwd_dump import XwdDump

CHECKS = [
    # name, left, top, right, bottom, bright pixels wanted
    ("idle ring quarter", 45, 62, 78, 95, True),
    ("empty ring below", 50, 100, 100, 124, False),
    ("time text 00:00:00", 118, 64, 327, 101, True),
    ("caption 关机倒计时", 118, 103, 269, 131, True),
    ("transparent corner", 0, 0, 29, 51, False),
    ("transparent right side", 330, 0, 479, 195, False),
]


def main():
    dump = XwdDump(sys.argv[1])
    failed = []
    if (dump.width, dump.height) != (479, 195):
        failed.append(f"window is {dump.width}x{dump.height}, not 479x195")
    for name, left, top, right, bottom, wanted in CHECKS:
        bright = sum(1 for y in range(top, bottom) for x in range(left, right)
                     if max(dump.raw(x, y)) > 150)
        if bool(bright) != wanted:
            failed.append(f"{name}: {bright} bright pixels")
    for line in failed:
        print(line)
    sys.exit(1 if failed else 0)


main()
