#!/usr/bin/env python3
"""Draws the configuration tree's icon strip (Lindaro 95): 13 icons of 16 x 16.

0 group, 1 sensor, 2 configuration, 3 group with the active configuration,
4 active configuration, 5 master 2, 6 cut 4, 7 cut 5, 8 cut 2, 9 master 1,
10 master 3, 11 cut 9, 12 cut 10. A cut icon is its icon faded with scissors
marks; the master states put a coloured badge with 1, 2 or 3 dots on the sheet.
"""
import struct
import sys
import zlib

N, S = 13, 16
CLEAR = (0, 0, 0, 0)
FOLDER, FOLDER_EDGE = (232, 192, 80, 255), (150, 110, 30, 255)
SHEET, SHEET_EDGE = (250, 250, 250, 255), (90, 90, 110, 255)
LINE = (150, 160, 185, 255)
ACTIVE = (40, 170, 60, 255)
SENSOR, SENSOR_EDGE, LENS = (90, 110, 140, 255), (40, 50, 70, 255), (170, 220, 250, 255)
BADGE = {1: (210, 60, 50, 255), 2: (40, 100, 210, 255), 3: (150, 70, 190, 255)}
DOT = (255, 255, 255, 255)
SCISSORS = (200, 30, 30, 255)


def folder(x, y, active):
    if 1 <= x <= 6 and 3 <= y <= 4:
        return FOLDER_EDGE
    if 1 <= x <= 14 and 5 <= y <= 13:
        if x in (1, 14) or y in (5, 13):
            return FOLDER_EDGE
        if active and 9 <= x <= 12 and 8 <= y <= 11:
            return ACTIVE
        return FOLDER
    return CLEAR


def sensor(x, y):
    if 2 <= x <= 13 and 3 <= y <= 12:
        if x in (2, 13) or y in (3, 12):
            return SENSOR_EDGE
        dx, dy = x - 7.5, y - 7.5
        if dx * dx + dy * dy <= 7:
            return LENS
        return SENSOR
    if 6 <= x <= 9 and 13 <= y <= 14:
        return SENSOR_EDGE
    return CLEAR


def sheet(x, y, active, master):
    if 3 <= x <= 12 and 1 <= y <= 14:
        if x in (3, 12) or y in (1, 14):
            return SHEET_EDGE
        if master and 7 <= x <= 12 and 9 <= y <= 14:
            if master >= 1 and (x, y) == (9, 11) or master >= 2 and (x, y) == (11, 11) or \
               master >= 3 and (x, y) == (10, 13):
                return DOT
            return BADGE[master]
        if active and 4 <= x <= 7 and 9 <= y <= 12:
            return ACTIVE
        if y in (4, 6, 8) and 5 <= x <= 10:
            return LINE
        return SHEET
    return CLEAR


def cut(pixel, x, y):
    # Scissors marks: a dashed diagonal over the faded icon.
    if (x + y) % 4 != 0 and abs(x - y) <= 0 and 2 <= x <= 13:
        return SCISSORS
    r, g, b, a = pixel
    return (r, g, b, a // 2)


def icon(index, x, y):
    kinds = {0: ("folder", False), 1: ("sensor",), 2: ("sheet", False, 0), 3: ("folder", True),
             4: ("sheet", True, 0), 5: ("sheet", False, 2), 9: ("sheet", False, 1), 10: ("sheet", False, 3)}
    cuts = {6: 4, 7: 5, 8: 2, 11: 9, 12: 10}
    if index in cuts:
        return cut(icon(cuts[index], x, y), x, y)
    k = kinds[index]
    if k[0] == "folder":
        return folder(x, y, k[1])
    if k[0] == "sensor":
        return sensor(x, y)
    return sheet(x, y, k[1], k[2])


def png(path):
    W = N * S
    rows = []
    for y in range(S):
        rows.append(b"\0" + b"".join(bytes(icon(x // S, x % S, y)) for x in range(W)))
    raw = b"".join(rows)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", struct.pack(">IIBBBBB", W, S, 8, 6, 0, 0, 0)))
        out.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        out.write(chunk(b"IEND", b""))


if __name__ == "__main__":
    png(sys.argv[1] if len(sys.argv) > 1 else "resources/Lindaro/95.png")
