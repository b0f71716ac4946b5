#!/usr/bin/env python3
"""Draws the tool's icon (a label printer with an arrow into it) and writes
vexlow.ico with 16, 32 and 48 pixel images, 32-bit with alpha.

Run it from anywhere: python3 make_icon.py  (writes beside this script)."""
import os
import struct


def pixel(size, x, y):
    """RGBA of one pixel, drawn on a 48-unit grid scaled to `size`."""
    u = (x + 0.5) * 48.0 / size
    v = (y + 0.5) * 48.0 / size
    # Label tape leaving the printer's top slot.
    if 17 <= u < 31 and 4 <= v < 16:
        if 20 <= u < 28 and 7 <= v < 9.5:
            return (40, 40, 40, 255)
        return (250, 250, 245, 255)
    # Printer body with a darker outline.
    if 6 <= u < 42 and 15 <= v < 40:
        if u < 8 or u >= 40 or v < 17 or v >= 38:
            return (20, 50, 95, 255)
        # Down arrow: the update going into the printer.
        if 21 <= u < 27 and 19 <= v < 28:
            return (255, 200, 40, 255)
        if 28 <= v < 35 and abs(u - 24) < (35 - v):
            return (255, 200, 40, 255)
        return (45, 110, 190, 255)
    # Feet.
    if (9 <= u < 15 or 33 <= u < 39) and 40 <= v < 43:
        return (20, 50, 95, 255)
    return (0, 0, 0, 0)


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up, as in a DIB
        for x in range(size):
            r, g, b, a = pixel(size, x, y)
            rows.append(struct.pack("BBBB", b, g, r, a))
    xor = b"".join(rows)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha decides; the AND mask stays clear
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + xor + mask


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "vexlow.ico")
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
