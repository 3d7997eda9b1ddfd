#!/usr/bin/env python3
"""Writes the two cursors a table shows over its edges: a black arrow with a white outline
pointing down (selecting a column) and one pointing right (selecting a row), as 32 x 32
monochrome cursor files with the hot spot at the arrow's tip."""
import os
import struct
import sys

SIZE = 32


def down_arrow():
    """The arrow's pixels: a shaft, then a head ending in a tip at the bottom."""
    body = set()
    for y in range(2, 14):
        for x in range(13, 19):
            body.add((x, y))
    for i, y in enumerate(range(14, 24)):
        for x in range(6 + i, 26 - i):
            body.add((x, y))
    return body, (15, 23)


def right_arrow():
    body, (hx, hy) = down_arrow()
    return {(y, x) for (x, y) in body}, (hy, hx)


def outline(body):
    ring = set()
    for (x, y) in body:
        for dx in (-1, 0, 1):
            for dy in (-1, 0, 1):
                p = (x + dx, y + dy)
                if p not in body and 0 <= p[0] < SIZE and 0 <= p[1] < SIZE:
                    ring.add(p)
    return ring


def cursor_file(body, hotspot):
    ring = outline(body)
    xor_rows, and_rows = [], []
    for y in reversed(range(SIZE)):  # bottom-up rows
        xor_bits = and_bits = 0
        for x in range(SIZE):
            bit = 1 << (31 - x)
            if (x, y) in body:
                pass  # black: AND 0, XOR 0
            elif (x, y) in ring:
                xor_bits |= bit  # white: AND 0, XOR 1
            else:
                and_bits |= bit  # transparent: AND 1, XOR 0
        xor_rows.append(struct.pack(">I", xor_bits))
        and_rows.append(struct.pack(">I", and_bits))
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    image = header + palette + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1], len(image), 6 + 16)
    return directory + entry + image


def main(folder):
    for name, make in (("selectcol.cur", down_arrow), ("selectrow.cur", right_arrow)):
        body, hotspot = make()
        with open(os.path.join(folder, name), "wb") as f:
            f.write(cursor_file(body, hotspot))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "res"))
