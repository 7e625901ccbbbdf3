#!/usr/bin/env python3
"""Writes binary forms of awkward shapes, each about SIZE bytes, into DIR for form_memory.sh.

Usage: form_shapes.py DIR SIZE
"""
import struct
import sys


def short(text):
    data = text.encode() if isinstance(text, str) else text
    return bytes([len(data)]) + data


def form(props=b"", children=b""):
    return b"TPF0" + short("T") + short("") + props + b"\0" + children + b"\0"


def prop(name, value):
    return short(name) + value


def shapes(size):
    # A list of booleans: one byte per value.
    yield "bool-list", form(prop("L", b"\x01" + b"\x09" * size + b"\0"))
    # Many tiny properties: three bytes each.
    yield "tiny-props", form(prop("A", b"\x09") * (size // 3))
    # Many tiny children: five bytes each.
    yield "tiny-objects", form(children=(short("T") + short("") + b"\0\0") * (size // 5))
    # Chains of 64 nested objects side by side.
    chain = (short("T") + short("") + b"\0") * 64 + b"\0" * 64
    yield "nested-objects", form(children=chain * (size // len(chain)))
    # Lists nested 62 deep side by side inside one list.
    nest = b"\x01" * 62 + b"\x09" + b"\0" * 62
    yield "nested-lists", form(prop("L", b"\x01" + nest * (size // len(nest)) + b"\0"))
    # A collection of empty items: two bytes each.
    yield "tiny-items", form(prop("C", b"\x0e" + b"\x01\0" * (size // 2) + b"\0"))
    # One long 8-bit string, one long wide string of Chinese, one long binary value.
    yield "long-string", form(prop("S", b"\x0c" + struct.pack("<I", size) + b"a" * size))
    wide = "关机".encode("utf-16-le") * (size // 4)
    yield "long-wide", form(prop("W", b"\x12" + struct.pack("<I", len(wide) // 2) + wide))
    yield "long-binary", form(prop("B", b"\x0a" + struct.pack("<I", size) + b"\x5a" * size))
    # Counts far beyond the data: refused at once.
    for name, kind in (("huge-lstring", 0x0C), ("huge-wide", 0x12), ("huge-binary", 0x0A)):
        yield name, form(prop("H", bytes([kind]) + b"\xff\xff\xff\xff") + b"x" * 16)


def main():
    directory, size = sys.argv[1], int(sys.argv[2])
    for name, data in shapes(size):
        with open(f"{directory}/{name}.bin", "wb") as out:
            out.write(data)
        print(name)


if __name__ == "__main__":
    main()
