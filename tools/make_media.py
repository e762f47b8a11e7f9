#!/usr/bin/env python3
"""Writes the sample's media: a short looping tune as a WAV file, a small video as an
uncompressed AVI file (a coloured square crossing a dark frame) and an animated GIF (a square
going round a light frame).

Usage: make_media.py wav OUTPUT.wav
       make_media.py avi OUTPUT.avi
       make_media.py gif OUTPUT.gif
"""
import math
import struct
import sys


def chunk(cid, data):
    pad = b"\0" if len(data) % 2 else b""
    return cid + struct.pack("<I", len(data)) + data + pad


def riff_list(kind, data):
    return chunk(b"LIST", kind + data)


def wav():
    rate = 8000
    notes = [523.25, 659.25, 783.99, 659.25, 587.33, 698.46, 880.0, 698.46]
    samples = bytearray()
    for f in notes:
        n = rate * 3 // 8
        for i in range(n):
            envelope = min(1.0, i / 200) * min(1.0, (n - i) / 400)
            samples.append(int(128 + 40 * envelope * math.sin(2 * math.pi * f * i / rate)))
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    return chunk(b"RIFF", b"WAVE" + chunk(b"fmt ", fmt) + chunk(b"data", bytes(samples)))


def avi():
    w, h, fps, frames = 80, 60, 10, 40
    stride = (w * 3 + 3) & ~3
    size = stride * h
    avih = struct.pack("<10I4I", 1000000 // fps, size * fps, 0, 0x10, frames, 0, 1, size, w, h, 0, 0, 0, 0)
    strh = b"vidsDIB " + struct.pack("<IHHIIIIIIII4h", 0, 0, 0, 0, 1, fps, 0, frames, size, 0xFFFFFFFF, 0,
                                      0, 0, w, h)
    strf = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, size, 0, 0, 0, 0)
    movi = b""
    index = b""
    for f in range(frames):
        x0 = f * (w - 20) // (frames - 1)
        rows = []
        for y in range(h):  # bottom-up
            row = bytearray()
            for x in range(w):
                inside = x0 <= x < x0 + 20 and 20 <= y < 40
                row += bytes((40, 180, 255)) if inside else bytes((90, 40, 30))
            rows.append(bytes(row) + b"\0" * (stride - w * 3))
        index += b"00db" + struct.pack("<III", 0x10, 4 + len(movi), size)
        movi += chunk(b"00db", b"".join(rows))
    hdrl = riff_list(b"hdrl", chunk(b"avih", avih) + riff_list(b"strl", chunk(b"strh", strh) + chunk(b"strf", strf)))
    return chunk(b"RIFF", b"AVI " + hdrl + riff_list(b"movi", movi) + chunk(b"idx1", index))


def gif_image(w, h, pixels):
    # Literal codes only (3-bit code size, 4-bit codes), a clear code before every 4 pixels.
    codes = []
    for i, p in enumerate(pixels):
        if i % 4 == 0:
            codes.append(8)
        codes.append(p)
    codes.append(9)
    packed = bytes(codes[i] | ((codes[i + 1] << 4) if i + 1 < len(codes) else 0) for i in range(0, len(codes), 2))
    blocks = b"".join(bytes((len(packed[i:i + 255]),)) + packed[i:i + 255] for i in range(0, len(packed), 255))
    return b"\x03" + blocks + b"\0"


def gif():
    size, square, frames = 60, 20, 8
    palette = [(240, 240, 250), (220, 60, 40), (40, 120, 220), (250, 200, 40), (0, 0, 0), (0, 0, 0), (0, 0, 0),
               (0, 0, 0)]
    out = b"GIF89a" + struct.pack("<HHBBB", size, size, 0xF2, 0, 0) + b"".join(bytes(c) for c in palette)
    out += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\0\0\0"
    path = [(0, 0), (20, 0), (40, 0), (40, 20), (40, 40), (20, 40), (0, 40), (0, 20)]
    out += b"\x21\xF9\x04\x00" + struct.pack("<H", 0) + b"\0\0"
    out += b"\x2C" + struct.pack("<HHHHB", 0, 0, size, size, 0) + gif_image(size, size, [0] * size * size)
    for f in range(frames):
        x, y = path[f]
        colour = 1 + f % 3
        out += b"\x21\xF9\x04" + bytes((2 << 2,)) + struct.pack("<H", 15) + b"\0\0"
        out += b"\x2C" + struct.pack("<HHHHB", x, y, square, square, 0)
        out += gif_image(square, square, [colour] * square * square)
    return out + b";"


def main():
    data = {"wav": wav, "avi": avi, "gif": gif}[sys.argv[1]]()
    with open(sys.argv[2], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
