#!/usr/bin/env python3
"""Joins PNG images into one Windows .ico file (PNG-compressed entries, as Windows Vista and
later read them). Usage: make-ico.py OUT.ico IMAGE.png..."""
import struct
import sys


def png_size(data, name):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        sys.exit(f"make-ico.py: {name}: not a PNG image")
    return struct.unpack(">II", data[16:24])


def main():
    if len(sys.argv) < 3:
        sys.exit("usage: make-ico.py OUT.ico IMAGE.png...")
    images = []
    for name in sys.argv[2:]:
        with open(name, "rb") as f:
            data = f.read()
        width, height = png_size(data, name)
        if width > 256 or height > 256:
            sys.exit(f"make-ico.py: {name}: larger than 256 pixels")
        images.append((width, height, data))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries, blobs = b"", b""
    for width, height, data in images:
        # 256 is written as 0 in the one-byte fields.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset + len(blobs))
        blobs += data
    with open(sys.argv[1], "wb") as f:
        f.write(header + entries + blobs)


main()
