#!/usr/bin/env python3
"""Draws the main window's pictures of the common resources (Lindaro):
toolbar images 13700..13721, status icons 1001/1002/1004/1005, and the mode
statics 10190..10212. Run from the repository root;
writes resources/Lindaro/<id>.png. Plain Python, no imaging library."""
import math
import os
import struct
import zlib

OUT = os.path.join("resources", "Lindaro")
SS = 4  # supersampling per axis


class Canvas:
    def __init__(self, w, h, bg=(0, 0, 0, 0)):
        self.w, self.h = w, h
        self.px = [[list(bg) for _ in range(w * SS)] for _ in range(h * SS)]

    def _plot(self, x, y, c):
        if 0 <= x < self.w * SS and 0 <= y < self.h * SS:
            self.px[y][x] = list(c)

    def fill(self, inside, c):
        for y in range(self.h * SS):
            fy = (y + 0.5) / SS
            row = self.px[y]
            for x in range(self.w * SS):
                if inside((x + 0.5) / SS, fy):
                    row[x] = list(c)

    def rect(self, x0, y0, x1, y1, c, r=0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if r <= 0:
                return True
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
        self.fill(inside, c)

    def circle(self, cx, cy, r, c, inner=0):
        self.fill(lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= r * r, c)

    def line(self, x0, y0, x1, y1, width, c):
        dx, dy = x1 - x0, y1 - y0
        n = dx * dx + dy * dy or 1

        def inside(x, y):
            t = max(0, min(1, ((x - x0) * dx + (y - y0) * dy) / n))
            px, py = x0 + t * dx, y0 + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
        self.fill(inside, c)

    def poly(self, pts, c):
        def inside(x, y):
            odd = False
            j = len(pts) - 1
            for i in range(len(pts)):
                xi, yi = pts[i]
                xj, yj = pts[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    odd = not odd
                j = i
            return odd
        self.fill(inside, c)

    def pixels(self):
        out = []
        for y in range(self.h):
            row = []
            for x in range(self.w):
                acc = [0, 0, 0, 0]
                for sy in range(SS):
                    for sx in range(SS):
                        p = self.px[y * SS + sy][x * SS + sx]
                        a = p[3]
                        for k in range(3):
                            acc[k] += p[k] * a
                        acc[3] += a
                a = acc[3]
                if a == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(tuple(int(acc[k] / a) for k in range(3)) + (a // (SS * SS),))
            out.append(row)
        return out


def save(pixels, ident):
    h, w = len(pixels), len(pixels[0])
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in pixels)
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
    with open(os.path.join(OUT, f"{ident}.png"), "wb") as f:
        f.write(png)


def grey(pixels):
    return [[(int(180 + 0.25 * (0.3 * r + 0.59 * g + 0.11 * b)),) * 3 + (int(a * 0.8),) for r, g, b, a in row]
            for row in pixels]


def pressed(pixels):
    out = [list(row) for row in pixels]
    w, h = len(out[0]), len(out)
    for y in range(h):
        for x in range(w):
            r, g, b, a = out[y][x]
            bg = (200, 214, 236, 255)
            if x in (0, w - 1) or y in (0, h - 1):
                out[y][x] = (90, 110, 150, 255)
            elif a < 255:
                t = a / 255
                out[y][x] = tuple(int(bg[k] * (1 - t) + (r, g, b)[k] * t) for k in range(3)) + (255,)
    return out


BLUE, GREEN, RED, DARK, WHITE = (40, 90, 170, 255), (30, 150, 70, 255), (200, 50, 40, 255), (50, 50, 55, 255), (255, 255, 255, 255)
AMBER = (220, 150, 20, 255)


def plug(c, connected):
    c.rect(3, 9, 11, 15, DARK, 1.5)
    c.line(0.5, 12, 3, 12, 2, DARK)
    c.line(11, 10.5, 14, 10.5, 1.6, DARK)
    c.line(11, 13.5, 14, 13.5, 1.6, DARK)
    x = 15 if connected else 17
    c.rect(x, 8, x + 6, 16, GREEN if connected else RED, 1.5)
    c.line(x + 6, 12, 23.5, 12, 2, DARK)


def page(c):
    c.poly([(5, 2), (15, 2), (20, 7), (20, 22), (5, 22)], WHITE)
    c.line(5, 2, 15, 2, 1.2, DARK); c.line(15, 2, 20, 7, 1.2, DARK); c.line(20, 7, 20, 22, 1.2, DARK)
    c.line(20, 22, 5, 22, 1.2, DARK); c.line(5, 22, 5, 2, 1.2, DARK)
    for y in (10, 13, 16):
        c.line(8, y, 17, y, 1, (150, 150, 160, 255))


def magnifier(c, sign):
    c.circle(10, 10, 7.5, DARK, 5.8)
    c.circle(10, 10, 5.8, (230, 240, 255, 255))
    c.line(15, 15, 21.5, 21.5, 3.2, DARK)
    if sign:
        c.line(6.5, 10, 13.5, 10, 1.8, BLUE)
        if sign == "+":
            c.line(10, 6.5, 10, 13.5, 1.8, BLUE)


def toolbar():
    def icon(draw):
        c = Canvas(24, 24)
        draw(c)
        return c.pixels()

    def new(c):
        page(c)
        c.circle(18, 18, 5, GREEN)
        c.line(15.5, 18, 20.5, 18, 1.6, WHITE); c.line(18, 15.5, 18, 20.5, 1.6, WHITE)

    def delete(c):
        page(c)
        c.line(14, 14, 22, 22, 2.4, RED); c.line(22, 14, 14, 22, 2.4, RED)

    def arrow_doc(up):
        def draw(c):
            page(c)
            if up:
                c.poly([(17, 11), (23, 17), (20, 17), (20, 23), (14, 23), (14, 17), (11, 17)], BLUE)
            else:
                c.poly([(17, 23), (23, 17), (20, 17), (20, 11), (14, 11), (14, 17), (11, 17)], BLUE)
        return draw

    def reset(c):
        magnifier(c, None)
        c.rect(7, 7, 13, 13, BLUE)
        c.rect(8.3, 8.3, 11.7, 11.7, (230, 240, 255, 255))

    def help_(c):
        c.circle(12, 12, 10.5, BLUE)
        c.circle(12, 9.5, 4.5, WHITE, 2.6)
        c.rect(6, 9.5, 12, 14, BLUE)
        c.rect(11, 12, 13.4, 15.5, WHITE)
        c.circle(12.2, 18.5, 1.6, WHITE)

    images = {}
    pairs = [(0, lambda c: plug(c, False)), (2, lambda c: plug(c, True)), (4, new), (6, delete),
             (8, arrow_doc(False)), (10, arrow_doc(True)), (12, lambda c: magnifier(c, "+")),
             (15, lambda c: magnifier(c, "-")), (18, reset)]
    for index, draw in pairs:
        on = icon(draw)
        images[index] = on
        images[index + 1] = grey(on)
    images[14] = pressed(images[12])
    images[17] = pressed(images[15])
    images[20] = icon(help_)
    images[21] = Canvas(24, 24).pixels()
    for index, pixels in images.items():
        save(pixels, 13700 + index)


def status_icons():
    def sensor(c):
        c.rect(2, 4, 12, 12, DARK, 1.5)
        c.circle(7, 8, 2.6, (120, 200, 255, 255))
        c.rect(12, 6, 15, 10, DARK)

    def idle(c):
        sensor(c)
        c.rect(0, 0, 16, 16, (255, 255, 255, 0))
        c.rect(2, 4, 12, 12, (150, 150, 150, 255), 1.5)
        c.circle(7, 8, 2.6, (210, 210, 210, 255))

    def lock(closed):
        def draw(c):
            if closed:
                c.circle(8, 6.5, 4.5, DARK, 3.0)
                c.rect(3.5, 6.5, 12.5, 8, (0, 0, 0, 0))
            else:
                c.circle(11, 5.5, 4.0, DARK, 2.6)
                c.rect(7, 5.5, 15, 8, (0, 0, 0, 0))
            c.rect(2.5, 7.5, 13.5, 15, AMBER if closed else GREEN, 1.5)
            c.circle(8, 11, 1.4, DARK)
        return draw

    for ident, draw in [(1001, idle), (1002, sensor), (1004, lock(True)), (1005, lock(False))]:
        c = Canvas(16, 16)
        draw(c)
        save(c.pixels(), ident)


def mode_statics():
    # The icon stands at the left; the window paints the mode's name (its
    # mode label, control 1175) on the right part of the face, so every face
    # is light enough for that dark text.
    faces = {0: ((235, 238, 244, 255), (150, 160, 180, 255), 1.5),   # normal
             1: ((186, 208, 242, 255), (30, 60, 120, 255), 2.5),     # active
             2: ((214, 226, 248, 255), (80, 120, 190, 255), 1.5)}    # hover

    def configuration(c, fg):
        for i, x in enumerate((15, 25, 35)):
            c.line(x, 9, x, 31, 2, fg)
            y = (14, 26, 19)[i]
            c.rect(x - 3.5, y - 2.5, x + 3.5, y + 2.5, fg, 1)

    def monitor(c, fg):
        c.rect(10, 8, 40, 28, fg, 2)
        c.rect(12.5, 10.5, 37.5, 25.5, (0, 0, 0, 0))
        c.line(14, 22, 20, 17, 2, fg); c.line(20, 17, 25, 20, 2, fg); c.line(25, 20, 35, 12, 2, fg)
        c.rect(21, 28, 29, 32, fg)

    def service(c, fg):
        c.circle(18, 14, 7, fg, 0)
        c.circle(18, 14, 3.2, (0, 0, 0, 0))
        c.poly([(15, 6), (21, 6), (19, 12), (17, 12)], (0, 0, 0, 0))
        c.line(22, 18, 36, 32, 5, fg)

    for control, draw in [(1019, configuration), (1020, monitor), (1021, service)]:
        for look, (face, edge, border) in faces.items():
            c = Canvas(140, 40)
            c.rect(0, 0, 140, 40, edge, 6)
            c.rect(border, border, 140 - border, 40 - border, face, 5)
            fg = (30, 60, 120, 255) if look == 1 else (40, 60, 100, 255)
            draw(c, fg)
            save(c.pixels(), control * 10 + look)


if __name__ == "__main__":
    toolbar()
    status_icons()
    mode_statics()
