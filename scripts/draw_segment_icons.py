#!/usr/bin/env python3
"""Draws the EtherNet/IP dialog's button icons (Lindaro 1011 Edit, 1012 Add,
1013 Del, 1014 Up, 1015 Down), 32 x 32, with a transparent background."""
import struct
import sys
import zlib

W = H = 32
CLEAR = (0, 0, 0, 0)
GREEN, GREEN_EDGE = (46, 158, 79, 255), (29, 107, 52, 255)
RED, RED_EDGE = (192, 57, 43, 255), (127, 34, 25, 255)
BLUE, BLUE_EDGE = (47, 111, 179, 255), (27, 66, 107, 255)
WHITE = (255, 255, 255, 255)
GREY = (90, 90, 90, 255)
YELLOW, BROWN = (242, 193, 78, 255), (107, 78, 22, 255)


def disc(x, y, colour, edge, mark):
    dx, dy = x + 0.5 - 16, y + 0.5 - 16
    r = (dx * dx + dy * dy) ** 0.5
    if r > 13.5:
        return CLEAR
    if mark(dx, dy):
        return WHITE
    return edge if r > 12 else colour


def plus(dx, dy):
    return (abs(dx) <= 2 and abs(dy) <= 8) or (abs(dy) <= 2 and abs(dx) <= 8)


def cross(dx, dy):
    return (abs(dx - dy) <= 2.8 or abs(dx + dy) <= 2.8) and abs(dx) <= 6.5 and abs(dy) <= 6.5


def arrow(x, y, up):
    # Head: a triangle over rows 4..16; shaft: columns 12..19 of rows 16..28.
    yy = y if up else H - 1 - y
    inside = (4 <= yy <= 16 and abs(x + 0.5 - 16) <= (yy - 4) + 0.5) or (16 <= yy <= 28 and 12 <= x <= 19)
    if not inside:
        return CLEAR
    edge = (yy == 16 and (x < 12 or x > 19)) or yy == 28 or (yy > 16 and x in (12, 19)) or \
        (yy <= 16 and abs(x + 0.5 - 16) > (yy - 4) - 1)
    return BLUE_EDGE if edge else BLUE


def pencil(x, y):
    # A cell at the bottom left and a pencil lying across it.
    if 3 <= x <= 20 and 20 <= y <= 28:
        return GREY if x in (3, 20) or y in (20, 28) else WHITE
    u, v = (x - y) / 1.414, (x + y) / 1.414  # along and across the pencil
    if abs(u) <= 3 and 24 <= v <= 40:
        if v >= 37:
            return RED
        return BROWN if abs(u) > 2 else YELLOW
    if abs(u) <= (v - 20) * 0.75 and 20 <= v < 24:
        return BROWN
    return CLEAR


ICONS = {
    1011: pencil,
    1012: lambda x, y: disc(x, y, GREEN, GREEN_EDGE, plus),
    1013: lambda x, y: disc(x, y, RED, RED_EDGE, cross),
    1014: lambda x, y: arrow(x, y, True),
    1015: lambda x, y: arrow(x, y, False),
}


def png(path, pixel):
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
    folder = sys.argv[1] if len(sys.argv) > 1 else "resources/Lindaro"
    for icon, pixel in ICONS.items():
        png(f"{folder}/{icon}.png", pixel)
