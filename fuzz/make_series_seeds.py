#!/usr/bin/env python3
"""Writes seed inputs for series_stream_fuzz into the folder given: round-trip
streams of a series' "Data" (every flag, with and without an extra value
list, horizontal), a marks' "Items" and a picture's "FilterItems". The first
byte of each file chooses the reader, as the fuzz target reads it."""
import os
import struct
import sys


def data_stream(flags, points, extra=0):
    out = bytearray([flags]) + struct.pack('<i', len(points))
    for i, (x, y, colour, label) in enumerate(points):
        if flags & 1:
            out += struct.pack('<d', x)
        out += struct.pack('<d', y)
        if flags & 2:
            out += struct.pack('<I', colour)
        if flags & 4:
            b = label.encode('cp1252')[:255]
            out += bytes([len(b)]) + b
        out += struct.pack('<d', 0.5 * i) * extra
        if flags & 8:
            out += struct.pack('<iiBiiBiiii', 1, 2, 0, 3, 4, 1, 10, 5, 6, 20)
    return bytes(out)


def ident(s):
    return bytes([len(s)]) + s.encode()


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    points = [(0.0, 1.5, 0x20000000, ''), (2.5, -3.0, 0x00FF00, 'b\xe9'), (7.0, 4.0, 0x20000000, 'last')]
    seeds = {}
    for flags in range(16):
        seeds[f'data_{flags:02d}'] = bytes([0]) + data_stream(flags, points)
        seeds[f'data_{flags:02d}_z'] = bytes([2]) + data_stream(flags, points, extra=1)
    seeds['data_horizontal'] = bytes([1]) + data_stream(1, points)
    # Items: two items, the second slot empty, then one with Text and Visible
    items = struct.pack('<i', 3)
    items += bytes([1]) + ident('Color') + bytes([4]) + struct.pack('<i', 255) + bytes([0])
    items += bytes([1, 0])
    items += bytes([1]) + ident('Text') + bytes([1, 6]) + ident('a') + bytes([0]) + ident('Visible') + bytes([8, 0])
    seeds['items'] = bytes([4]) + items
    # FilterItems: a collection of one filter by class name
    filters = bytes([14, 1]) + ident('ItemClass') + bytes([6]) + ident('TInvertFilter') + bytes([0, 0])
    seeds['filter_items'] = bytes([5]) + filters
    for name, data in seeds.items():
        with open(os.path.join(folder, name), 'wb') as f:
            f.write(data)


if __name__ == '__main__':
    main()
