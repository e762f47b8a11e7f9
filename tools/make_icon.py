#!/usr/bin/env python3
"""Writes the program's icons as .ico files (32-bit, with alpha).

Usage: make_icon.py OUTPUT.ico          the program icon: 48, 32 and 16 pixel images
       make_icon.py OUTPUT.ico thumb    the seek bar's thumb: one 10 pixel image
"""
import struct
import sys


def pixel(x, y, size):
    """Colour (b, g, r, a) at the centre of pixel x, y: a blue disc with a white chevron."""
    s = 4  # supersampling per axis, for soft edges
    acc = [0, 0, 0, 0]
    for sy in range(s):
        for sx in range(s):
            u = (x + (sx + 0.5) / s) / size * 2 - 1
            v = (y + (sy + 0.5) / s) / size * 2 - 1  # v grows downwards
            if u * u + v * v > 0.92:
                continue
            # A "V": two bars from the top corners down to the bottom centre.
            in_v = abs(abs(u) - (0.55 - 0.55 * (v + 0.55) / 1.1)) < 0.16 and -0.55 < v < 0.6
            if in_v:
                col = (255, 255, 255)
            else:
                shade = int(150 + 80 * (1 - (v + 1) / 2))
                col = (shade, int(shade * 0.45), 30)  # b, g, r
            acc[0] += col[0]
            acc[1] += col[1]
            acc[2] += col[2]
            acc[3] += 255
    n = s * s
    a = acc[3] // n
    if a == 0:
        return (0, 0, 0, 0)
    cover = acc[3] / 255
    return (int(acc[0] / cover), int(acc[1] / cover), int(acc[2] / cover), a)


def thumb_pixel(x, y, size):
    """Colour (b, g, r, a) of the seek bar's thumb: a grey knob with a darker rim."""
    c = (size - 1) / 2
    d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
    if d > c + 0.5:
        return (0, 0, 0, 0)
    if d > c - 0.8:
        return (64, 64, 64, 255)
    shade = int(235 - 60 * (y / size))
    return (shade, shade, shade, 255)


def image(size, pixel=pixel):
    """BITMAPINFOHEADER, bottom-up BGRA rows and the AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    mask_rows = []
    mask_stride = ((size + 31) // 32) * 4
    for y in reversed(range(size)):
        row = bytearray()
        bits = bytearray(mask_stride)
        for x in range(size):
            b, g, r, a = pixel(x, y, size)
            row += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
        mask_rows.append(bytes(bits))
    return header + b"".join(rows) + b"".join(mask_rows)


def main():
    thumb = len(sys.argv) > 2 and sys.argv[2] == "thumb"
    sizes = (10,) if thumb else (48, 32, 16)
    images = [image(s, thumb_pixel if thumb else pixel) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
