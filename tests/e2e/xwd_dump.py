"""Reads the xwd dumps that `xwd -silent` writes of a 32-bit window."""
import struct
import sys


class XwdDump:
    def __init__(self, path):
        data = open(path, "rb").read()
        header = struct.unpack(">25I", data[:100])
        header_size, self.width, self.height, self._byte_order = header[0], header[4], header[5], header[7]
        bits_per_pixel, self._bytes_per_line, colours = header[11], header[12], header[19]
        if bits_per_pixel != 32:
            sys.exit(f"unexpected {bits_per_pixel} bits per pixel")
        self._data = data
        self._pixels = header_size + colours * 12

    def raw(self, x, y):
        """The pixel's first three bytes as stored: its colour channels in the dump's order."""
        offset = self._pixels + y * self._bytes_per_line + x * 4
        return self._data[offset:offset + 3]

    def rgb(self, x, y):
        """The pixel's red, green and blue."""
        offset = self._pixels + y * self._bytes_per_line + x * 4
        pixel = self._data[offset:offset + 4]
        if self._byte_order == 0:  # least significant byte first: blue, green, red, unused
            pixel = pixel[::-1]
        return pixel[1], pixel[2], pixel[3]

    def rectangle(self, words):
        """LEFT TOP RIGHT BOTTOM (right and bottom exclusive) as numbers; exits when the
        rectangle does not lie inside the window."""
        left, top, right, bottom = (int(v) for v in words)
        if not (0 <= left < right <= self.width and 0 <= top < bottom <= self.height):
            sys.exit(f"the rectangle lies outside the {self.width}x{self.height} window")
        return left, top, right, bottom
