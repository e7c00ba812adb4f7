#!/usr/bin/env python3
"""Draws the program's pictures and writes them as XPM files beside this script.

toolbar.xpm   96 x 15: six 16 x 15 cells (open, Exit, cut, copy, paste, about)
quillon32.xpm 32 x 32 and quillon16.xpm 16 x 16: the program icon (a quill on a page)

Only the 16 standard colours are used. Run it again after changing a picture.
"""
import os

PALETTE = {
    ".": None, "k": "#000000", "R": "#800000", "G": "#008000", "o": "#808000",
    "B": "#000080", "P": "#800080", "t": "#008080", "s": "#C0C0C0",
    "d": "#808080", "r": "#FF0000", "l": "#00FF00", "y": "#FFFF00",
    "b": "#0000FF", "m": "#FF00FF", "c": "#00FFFF", "w": "#FFFFFF",
}


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [["."] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def grid(self, x0, y0, rows):
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != ".":
                    self.set(x0 + dx, y0 + dy, c)

    def rect(self, x0, y0, x1, y1, fill, outline=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.set(x, y, outline if edge and outline else fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.set(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polygon(self, pts, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(pts, x + 0.5, y + 0.5):
                    self.set(x, y, c)


def inside(pts, x, y):
    res = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            res = not res
        j = i
    return res


def page(cv, x0, y0, x1, y1, lines=True):
    """A sheet with its top right corner folded and a few lines of text."""
    cv.rect(x0, y0, x1, y1, "w", "k")
    ear = 2 if x1 - x0 < 10 else 4
    for i in range(ear + 1):
        for x in range(x1 - ear + i + 1, x1 + 1):
            cv.set(x, y0 + i, ".")
        cv.set(x1 - ear + i, y0 + i, "k")
    cv.line(x1 - ear, y0, x1 - ear, y0 + ear, "k")
    cv.line(x1 - ear, y0 + ear, x1, y0 + ear, "k")
    if lines:
        y = y0 + ear + 1 if ear > 2 else y0 + 2
        n = 0
        while y < y1 - 1:
            right = x1 - 2 if y > y0 + ear else x1 - ear - 2
            cut = (n % 3 == 2) * max(1, (right - x0) // 3)
            cv.hline(x0 + 2, right - cut, y, "B")
            y += 2
            n += 1


def toolbar():
    cv = Canvas(96, 15)
    # 0: opening folder
    cv.grid(0, 0, [
        "................",
        "................",
        ".kkkk...........",
        "kowwok..........",
        "kowwwokkkkkkk...",
        "kowooooooooook..",
        "kowookkkkkkkkkkk",
        "kowokyyyyyyyyyyk",
        "kookyyyyyyyyyyk.",
        "kookyyyyyyyyyk..",
        "kokyyyyyyyyyyk..",
        "kokyyyyyyyyyk...",
        "kkyyyyyyyyyyk...",
        "kkkkkkkkkkkk....",
    ])
    # 1: the word Exit in red
    cv.grid(16, 0, [
        "................",
        "................",
        "................",
        "................",
        "..rrr.....r..r..",
        "..r..........r..",
        "..r...r.r.r.rrr.",
        "..rrr.r.r.r..r..",
        "..r....r..r..r..",
        "..r...r.r.r..r..",
        "..rrr.r.r.r...r.",
    ])
    # 2: scissors
    cv.grid(32, 0, [
        "................",
        "....k.....k.....",
        "....k.....k.....",
        "....kk...kk.....",
        ".....k...k......",
        ".....kk.kk......",
        "......kdk.......",
        ".......k........",
        "......kdk.......",
        "....bbk.kbb.....",
        "...b..b.b..b....",
        "...b..b.b..b....",
        "...b..b.b..b....",
        "....bb...bb.....",
    ])
    # 3: two pages
    page(cv, 48 + 1, 0, 48 + 9, 10)
    page(cv, 48 + 6, 4, 48 + 14, 14)
    # 4: clipboard with a page on it
    cv.rect(64 + 1, 2, 64 + 11, 13, "o", "k")
    cv.rect(64 + 4, 1, 64 + 8, 3, "s", "k")
    cv.hline(64 + 5, 64 + 7, 0, "k")
    page(cv, 64 + 7, 6, 64 + 14, 14)
    # 5: question mark
    cv.grid(80, 0, [
        "................",
        "................",
        "......BBBB......",
        ".....BB..BB.....",
        ".....BB..BB.....",
        ".........BB.....",
        "........BB......",
        ".......BB.......",
        ".......BB.......",
        "................",
        ".......BB.......",
        ".......BB.......",
    ])
    return cv


def quill(cv, tip, top, width):
    """A feather from the nib at tip to its end at top, vane drawn teal."""
    tx, ty = tip
    ex, ey = top
    dx, dy = ex - tx, ey - ty
    length = (dx * dx + dy * dy) ** 0.5
    ux, uy = dx / length, dy / length
    nx, ny = -uy, ux

    def at(t, off):
        return (tx + ux * t + nx * off, ty + uy * t + ny * off)

    vane = [at(length * 0.30, 0), at(length * 0.45, width * 0.9), at(length * 0.80, width),
            at(length * 1.02, width * 0.3), at(length * 1.02, -width * 0.2),
            at(length * 0.75, -width * 0.7), at(length * 0.40, -width * 0.4)]
    cv.polygon(vane, "c")
    inner = [at(length * 0.42, 0), at(length * 0.55, width * 0.55), at(length * 0.85, width * 0.6),
             at(length * 0.98, 0)]
    cv.polygon(inner, "t")
    cv.line(tx, ty, ex, ey, "k")
    cv.set(tx, ty, "k")
    nib_len = max(2, int(length * 0.12))
    x2, y2 = at(nib_len, 0)
    cv.line(tx, ty, int(round(x2)), int(round(y2)), "B")


def icon32():
    cv = Canvas(32, 32)
    page(cv, 3, 2, 22, 28)
    quill(cv, (9, 29), (30, 1), 5.0)
    return cv


def icon16():
    cv = Canvas(16, 16)
    page(cv, 1, 1, 10, 14)
    quill(cv, (5, 15), (15, 0), 2.6)
    return cv


def write_xpm(cv, path, name):
    used = sorted({c for row in cv.px for c in row})
    lines = ["/* XPM */", "static const char *%s[] = {" % name,
             '"%d %d %d 1",' % (cv.w, cv.h, len(used))]
    for c in used:
        lines.append('"%s c %s",' % (c, PALETTE[c] or "None"))
    for i, row in enumerate(cv.px):
        lines.append('"%s"%s' % ("".join(row), "," if i < cv.h - 1 else ""))
    lines.append("};")
    with open(path, "w") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    here = os.path.dirname(os.path.abspath(__file__))
    write_xpm(toolbar(), os.path.join(here, "toolbar.xpm"), "toolbar")
    write_xpm(icon32(), os.path.join(here, "quillon32.xpm"), "quillon32")
    write_xpm(icon16(), os.path.join(here, "quillon16.xpm"), "quillon16")
