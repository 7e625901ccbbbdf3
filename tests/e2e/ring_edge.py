#!/usr/bin/env python3
"""Checks an xwd dump of the sprite at device pixel ratio 2: the window is 958x390 and the
countdown ring's outer edge goes from what lies outside it to the full stroke within two device
pixels. Prints what it found; exits 1 when a check fails.

The ring is the bright (#E5E5E5) stroke centred on logical (76, 94.5); the row scanned crosses
its left side 8.5 logical pixels above the centre, where the edge is nearly upright.
"""
import struct
import sys

RATIO = 2
ROW = 86 * RATIO
CENTRE_X = 76 * RATIO
STROKE = 200  # a channel at least this bright: the stroke at full coverage
SAME = 16  # a channel this close to the outside counts as the outside


def read_xwd(path):
    data = open(path, "rb").read()
    header = struct.unpack(">25I", data[:100])
    header_size, width, height, byte_order = header[0], header[4], header[5], header[7]
    bits_per_pixel, bytes_per_line, colours = header[11], header[12], header[19]
    if bits_per_pixel != 32:
        sys.exit(f"unexpected {bits_per_pixel} bits per pixel")
    pixels = header_size + colours * 12

    def brightness(x, y):
        offset = pixels + y * bytes_per_line + x * 4
        pixel = data[offset:offset + 4]
        if byte_order == 0:  # blue, green, red, alpha
            pixel = pixel[::-1]
        return max(pixel[1:4])

    return width, height, brightness


def main():
    width, height, brightness = read_xwd(sys.argv[1])
    if (width, height) != (479 * RATIO, 195 * RATIO):
        print(f"window is {width}x{height}, not {479 * RATIO}x{195 * RATIO}")
        sys.exit(1)
    row = [brightness(x, ROW) for x in range(CENTRE_X)]
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
