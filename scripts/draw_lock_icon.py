#!/usr/bin/env python3
"""Draws the padlock of the lock and login dialogs (Lindaro 1025, 32 x 32)."""
import struct
import sys
import zlib

W = H = 32
BODY = (196, 152, 40, 255)
EDGE = (120, 88, 16, 255)
SHACKLE = (112, 112, 120, 255)
HOLE = (40, 32, 16, 255)


def pixel(x, y):
    # Shackle: a ring of radius 6.5..9.5 around (16, 13), upper half only.
    dx, dy = x + 0.5 - 16, y + 0.5 - 13
    r = (dx * dx + dy * dy) ** 0.5
    if y < 15 and 6.5 <= r <= 9.5:
        return SHACKLE
    if 6 <= x <= 9 or 22 <= x <= 25:
        if 13 <= y < 15:
            return SHACKLE
    # Body with an edge and a keyhole.
    if 5 <= x <= 26 and 15 <= y <= 29:
        if x in (5, 26) or y in (15, 29):
            return EDGE
        kx, ky = x + 0.5 - 16, y + 0.5 - 20.5
        if kx * kx + ky * ky <= 4.5 or (15 <= x <= 16 and 21 <= y <= 25):
            return HOLE
        return BODY
    return (0, 0, 0, 0)


def png(path):
    raw = b"".join(b"\0" + b"".join(bytes(pixel(x, y)) for x in range(W)) for y in range(H))
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    png(sys.argv[1] if len(sys.argv) > 1 else "resources/Lindaro/1025.png")
