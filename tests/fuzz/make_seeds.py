#!/usr/bin/env python3
"""Writes the bitmap loader's seed corpus: small valid bitmaps of every kind the loader takes.

Usage: make_seeds.py FOLDER
"""
import os
import struct
import sys


def padded_rows(rows):
    out = b""
    for row in rows:
        out += row + b"\0" * (-len(row) % 4)
    return out


def pack_indices(indices, bits):
    value, count = 0, 0
    out = bytearray()
    for index in indices:
        value = (value << bits) | index
        count += bits
        if count == 8:
            out.append(value)
            value, count = 0, 0
    if count:
        out.append(value << (8 - count))
    return bytes(out)


def palette(entries, size):
    return b"".join(struct.pack("<BBB", (i * 37) & 255, (i * 91) & 255, (i * 13) & 255)
                    + (b"\0" if size == 4 else b"") for i in range(entries))


def bitmap(width, height, bits, pixels, compression=0, colors_used=0, entries=0,
           core=False, file_header=True, image_size=0):
    if core:
        header = struct.pack("<IHHHH", 12, width, height, 1, bits)
        table = palette(entries, 3)
    else:
        header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, compression,
                             image_size, 2835, 2835, colors_used, 0)
        table = palette(entries, 4)
    body = header + table + pixels
    if not file_header:
        return body
    offset = 14 + len(header) + len(table)
    return struct.pack("<2sIHHI", b"BM", 14 + len(body), 0, 0, offset) + body


def indexed_rows(width, height, bits, entries):
    return padded_rows(pack_indices([(x * 5 + y * 3) % entries for x in range(width)], bits)
                       for y in range(height))


def seeds():
    w, h = 5, 3
    rgb24 = padded_rows(bytes((x * 40 + y * 7 + c * 60) & 255 for x in range(w) for c in range(3))
                        for y in range(h))
    yield "rgb24", bitmap(w, h, 24, rgb24)
    yield "rgb24-top-down", bitmap(w, -h, 24, rgb24)
    yield "rgb24-no-file-header", bitmap(w, h, 24, rgb24, file_header=False)
    yield "rgb16", bitmap(w, h, 16, padded_rows(
        struct.pack("<%dH" % w, *[(x * 1234 + y * 77) & 0x7FFF for x in range(w)]) for y in range(h)))
    yield "rgb32", bitmap(w, h, 32, padded_rows(
        bytes((x * 30 + y + c * 50) & 255 for x in range(w) for c in range(4)) for y in range(h)))
    for bits in (1, 4, 8):
        yield "indexed%d" % bits, bitmap(w, h, bits, indexed_rows(w, h, bits, 1 << bits),
                                         entries=1 << bits)
        yield "indexed%d-colours-used-2" % bits, bitmap(w, h, bits, indexed_rows(w, h, bits, 2),
                                                        colors_used=2, entries=2)
        yield "core%d" % bits, bitmap(w, h, bits, indexed_rows(w, h, bits, 1 << bits),
                                      entries=1 << bits, core=True)
    yield "core24", bitmap(w, h, 24, rgb24, core=True)
    yield "indexed8-no-file-header", bitmap(w, h, 8, indexed_rows(w, h, 8, 256), entries=256,
                                            file_header=False)
    # Runs, an absolute run with its fill byte, end of line, a move, end of picture.
    rle8 = bytes([3, 1, 0, 3, 2, 3, 4, 0, 0, 0, 2, 2, 0, 2, 1, 1, 2, 3, 0, 1])
    yield "rle8", bitmap(6, 3, 8, rle8, compression=1, entries=256, image_size=len(rle8))
    rle4 = bytes([5, 0x12, 0, 0, 0, 5, 0x34, 0x56, 0x70, 0, 0, 0, 0, 2, 1, 0, 2, 0x45, 0, 1])
    yield "rle4", bitmap(5, 3, 4, rle4, compression=2, entries=16, image_size=len(rle4))
    yield "rle8-size-left-out", bitmap(6, 3, 8, rle8, compression=1, entries=256)


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds():
        with open(os.path.join(folder, name + ".bmp"), "wb") as out:
            out.write(data)


if __name__ == "__main__":
    main()
