#!/usr/bin/env python3
"""Checks an xwd dump of the sprite at device pixel ratio 2: the window is 958x390 and the
countdown ring's outer edge goes from what lies outside it to the full stroke within two device
pixels. Prints what it found; exits 1 when a check fails.

The ring is the bright (#E5E5E5) stroke centred on logical (76, 94.5); the row scanned crosses
its left side 8.5 logical pixels above the centre, where the edge is nearly upright.
"""
import sys

from xwd_dump import XwdDump

RATIO = 2
ROW = 86 * RATIO
CENTRE_X = 76 * RATIO
STROKE = 200  # a channel at least this bright: the stroke at full coverage
SAME = 16  # a channel this close to the outside counts as the outside


def main():
    dump = XwdDump(sys.argv[1])
    width, height = dump.width, dump.height
    if (width, height) != (479 * RATIO, 195 * RATIO):
        print(f"window is {width}x{height}, not {479 * RATIO}x{195 * RATIO}")
        sys.exit(1)
    row = [max(dump.rgb(x, ROW)) for x in range(CENTRE_X)]
    stroke = next((x for x, b in enumerate(row) if b >= STROKE), None)
    if stroke is None or stroke < 6:
        print(f"no ring stroke on row {ROW}: {row[40:CENTRE_X]}")
        sys.exit(1)
    # Three pixels out lies what is outside the stroke (the faint track beneath it); a sharp
    # edge keeps that until at most two pixels before the full stroke.
    outside = row[stroke - 3]
    last_outside = max(x for x in range(stroke - 3, stroke) if abs(row[x] - outside) <= SAME)
    ramp = stroke - last_outside
    print(f"ring edge at x {stroke} rises over {ramp} device pixels: {row[stroke - 6:stroke + 2]}")
    sys.exit(0 if ramp <= 2 else 1)


main()
