#!/usr/bin/env python3
"""Draws HTML Quinkle's own artwork: the toolbar icons, the program logo, the splash picture
and the dock background, as PNG files in src/gui/resources/, and writes quinkle.qrc there
listing them; and the program's icon for the desktop's icon theme, as PNG files of every
size and an SVG file, in desktop/icons/hicolor/. Standard library only; run it again after
changing a drawing."""

import math
import os
import struct
import zlib

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "gui", "resources")
HICOLOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "desktop", "icons",
                       "hicolor")
DESKTOP_ICON = "htmquinkle"
DESKTOP_ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
ICON_SIZES = (16, 20, 24)
SS = 4  # subsamples per pixel and axis

# ---- PNG output ----


def write_png(path, width, height, pixels):
    """pixels: list of (r, g, b, a) tuples of 0..255, row by row."""
    raw = bytearray()
    for y in range(height):
        raw.append(0)
        for x in range(width):
            raw.extend(pixels[y * width + x])

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(png)


# ---- colours ----


def rgb(hex_text, alpha=255):
    v = int(hex_text.lstrip("#"), 16)
    return ((v >> 16) & 255, (v >> 8) & 255, v & 255, alpha)


INK = rgb("#2b3340")
PAPER = rgb("#ffffff")
PAPER_EDGE = rgb("#6b7a8f")
BLUE = rgb("#2a6ebb")
DARK_BLUE = rgb("#1b3f73")
LIGHT_BLUE = rgb("#9cc3ee")
ORANGE = rgb("#e8891c")
RED = rgb("#d23c3c")
GREEN = rgb("#3c9a3c")
YELLOW = rgb("#f2c431")
DARK_YELLOW = rgb("#b8871a")
GREY = rgb("#8a8f98")
LIGHT_GREY = rgb("#d5d9df")
BROWN = rgb("#8d5a2b")

# ---- the canvas ----


class Canvas:
    """Shapes are given on a grid of `units` per side and painted with subsampling."""

    def __init__(self, width, height, units_x=24.0, units_y=None):
        self.w, self.h = width, height
        self.sx = width * SS / units_x
        self.sy = height * SS / (units_y if units_y is not None else units_x)
        self.W, self.H = width * SS, height * SS
        self.buf = [(0.0, 0.0, 0.0, 0.0)] * (self.W * self.H)  # premultiplied

    def _paint(self, inside, box, colour):
        x0, y0, x1, y1 = box
        X0 = max(0, int(math.floor(x0 * self.sx)))
        X1 = min(self.W, int(math.ceil(x1 * self.sx)) + 1)
        Y0 = max(0, int(math.floor(y0 * self.sy)))
        Y1 = min(self.H, int(math.ceil(y1 * self.sy)) + 1)
        for Y in range(Y0, Y1):
            uy = (Y + 0.5) / self.sy
            row = Y * self.W
            for X in range(X0, X1):
                ux = (X + 0.5) / self.sx
                if not inside(ux, uy):
                    continue
                c = colour(ux, uy) if callable(colour) else colour
                a = c[3] / 255.0
                r, g, b, da = self.buf[row + X]
                k = 1.0 - a
                self.buf[row + X] = (c[0] * a + r * k, c[1] * a + g * k, c[2] * a + b * k,
                                     a + da * k)

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        def inside(x, y):
            if not (x0 <= x <= x1 and y0 <= y <= y1):
                return False
            if radius <= 0:
                return True
            cx = min(max(x, x0 + radius), x1 - radius)
            cy = min(max(y, y0 + radius), y1 - radius)
            return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
        self._paint(inside, (x0, y0, x1, y1), colour)

    def framed_rect(self, x0, y0, x1, y1, fill, edge, width=1.0, radius=0.0):
        self.rect(x0, y0, x1, y1, edge, radius)
        self.rect(x0 + width, y0 + width, x1 - width, y1 - width, fill, max(0.0, radius - width))

    def ellipse(self, cx, cy, rx, ry, colour):
        def inside(x, y):
            return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0
        self._paint(inside, (cx - rx, cy - ry, cx + rx, cy + ry), colour)

    def ring(self, cx, cy, r, width, colour):
        def inside(x, y):
            d = math.hypot(x - cx, y - cy)
            return r - width / 2 <= d <= r + width / 2
        self._paint(inside, (cx - r - width, cy - r - width, cx + r + width, cy + r + width),
                    colour)

    def polygon(self, points, colour):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        n = len(points)

        def inside(x, y):
            c = False
            j = n - 1
            for i in range(n):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    c = not c
                j = i
            return c
        self._paint(inside, (min(xs), min(ys), max(xs), max(ys)), colour)

    def line(self, points, width, colour, closed=False):
        segments = list(zip(points, points[1:]))
        if closed:
            segments.append((points[-1], points[0]))
        half = width / 2.0

        def near(x, y):
            for (ax, ay), (bx, by) in segments:
                dx, dy = bx - ax, by - ay
                length2 = dx * dx + dy * dy
                t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy)
                                                            / length2))
                if (x - ax - t * dx) ** 2 + (y - ay - t * dy) ** 2 <= half * half:
                    return True
            return False
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self._paint(near, (min(xs) - half, min(ys) - half, max(xs) + half, max(ys) + half),
                    colour)

    def arc(self, cx, cy, r, start_deg, end_deg, width, colour, steps=24):
        pts = []
        for i in range(steps + 1):
            a = math.radians(start_deg + (end_deg - start_deg) * i / steps)
            pts.append((cx + r * math.cos(a), cy - r * math.sin(a)))
        self.line(pts, width, colour)
        return pts

    def text(self, s, x, y, cell, colour, shear=0.0, bold=False):
        """Draws `s` in the 5x7 font with its top left corner at (x, y)."""
        for ch in s:
            rows = FONT.get(ch)
            if rows is None:
                x += 3 * cell
                continue
            width = len(rows[0])
            for r, bits in enumerate(rows):
                for c, bit in enumerate(bits):
                    if bit != "#":
                        continue
                    top, bottom = y + r * cell, y + (r + 1) * cell
                    left, right = x + c * cell, x + (c + 1) * cell + (cell * 0.35 if bold else 0)
                    off_top = (7 - r) * cell * shear
                    off_bottom = (6 - r) * cell * shear
                    self.polygon([(left + off_top, top), (right + off_top, top),
                                  (right + off_bottom, bottom), (left + off_bottom, bottom)],
                                 colour)
            x += (width + 1) * cell

    def pixels(self):
        out = []
        n = SS * SS
        for y in range(self.h):
            for x in range(self.w):
                r = g = b = a = 0.0
                for sy in range(SS):
                    row = (y * SS + sy) * self.W + x * SS
                    for sx in range(SS):
                        pr, pg, pb, pa = self.buf[row + sx]
                        r += pr
                        g += pg
                        b += pb
                        a += pa
                a /= n
                if a <= 0:
                    out.append((0, 0, 0, 0))
                    continue
                out.append((round(r / n / a), round(g / n / a), round(b / n / a),
                            round(a * 255)))
        return out


class SvgCanvas:
    """The drawing calls of Canvas that the logo uses, written as SVG shapes on the same grid,
    for an icon that scales to any size."""

    def __init__(self, units=24.0):
        self.units = units
        self.defs = []
        self.shapes = []
        self._seamless = False

    @staticmethod
    def _colour(colour):
        r, g, b, a = colour
        opacity = "" if a == 255 else ' fill-opacity="%.3f"' % (a / 255.0)
        return "#%02x%02x%02x" % (r, g, b), opacity

    def _fill(self, colour, y0, y1):
        if not callable(colour):
            value, opacity = self._colour(colour)
            return 'fill="%s"%s' % (value, opacity)
        # Canvas takes a colour function of the position; the logo's changes with y only,
        # linearly, which a vertical gradient draws exactly.
        name = "g%d" % len(self.defs)
        top, _ = self._colour(colour(0, y0))
        bottom, _ = self._colour(colour(0, y1))
        self.defs.append('<linearGradient id="%s" gradientUnits="userSpaceOnUse" x1="0" y1="%g" '
                         'x2="0" y2="%g"><stop offset="0" stop-color="%s"/>'
                         '<stop offset="1" stop-color="%s"/></linearGradient>'
                         % (name, y0, y1, top, bottom))
        return 'fill="url(#%s)"' % name

    def rect(self, x0, y0, x1, y1, colour, radius=0.0):
        corner = ' rx="%g"' % radius if radius > 0 else ""
        self.shapes.append('<rect x="%g" y="%g" width="%g" height="%g"%s %s/>'
                           % (x0, y0, x1 - x0, y1 - y0, corner, self._fill(colour, y0, y1)))

    def framed_rect(self, x0, y0, x1, y1, fill, edge, width=1.0, radius=0.0):
        Canvas.framed_rect(self, x0, y0, x1, y1, fill, edge, width, radius)

    def polygon(self, points, colour):
        ys = [p[1] for p in points]
        fill = self._fill(colour, min(ys), max(ys))
        # The letters are made of cells that touch; a hairline of their own colour closes the
        # seams that smoothing would show between them.
        seam = ""
        if self._seamless and not callable(colour):
            seam = ' stroke="%s" stroke-width="0.06" stroke-linejoin="round"' % self._colour(colour)[0]
        self.shapes.append('<polygon points="%s" %s%s/>'
                           % (" ".join("%g,%g" % (round(x, 4), round(y, 4)) for x, y in points),
                              fill, seam))

    def line(self, points, width, colour, closed=False):
        value, opacity = self._colour(colour)
        tag = "polygon" if closed else "polyline"
        self.shapes.append('<%s points="%s" fill="none" stroke="%s"%s stroke-width="%g" '
                           'stroke-linecap="round" stroke-linejoin="round"/>'
                           % (tag, " ".join("%g,%g" % (round(x, 4), round(y, 4)) for x, y in points),
                              value, opacity.replace("fill-", "stroke-"), width))

    def text(self, s, x, y, cell, colour, shear=0.0, bold=False):
        self._seamless = True
        Canvas.text(self, s, x, y, cell, colour, shear, bold)
        self._seamless = False

    def svg(self, size=256):
        out = ['<?xml version="1.0" encoding="UTF-8"?>',
               '<!-- Written by make_artwork.py. -->',
               '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %g %g">'
               % (size, size, self.units, self.units)]
        if self.defs:
            out.append("<defs>")
            out.extend(self.defs)
            out.append("</defs>")
        out.extend(self.shapes)
        out.append("</svg>")
        return "\n".join(out) + "\n"


def text_width(s, cell):
    return sum((len(FONT[ch][0]) + 1) * cell if ch in FONT else 3 * cell for ch in s) - cell


FONT = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "b": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "####."],
    "a": [".....", ".....", ".###.", "....#", ".####", "#...#", ".####"],
    "i": ["#", ".", "#", "#", "#", "#", "#"],
    "?": [".###.", "#...#", "....#", "..##.", "..#..", ".....", "..#.."],
    "1": ["..#", ".##", "..#", "..#", "..#", "..#", "..#"],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    "5": ["#####", "#....", "####.", "....#", "....#", "#...#", ".###."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "<": ["...#", "..#.", ".#..", "#...", ".#..", "..#.", "...#"],
    ">": ["#...", ".#..", "..#.", "...#", "..#.", ".#..", "#..."],
    "/": ["....#", "...#.", "...#.", "..#..", ".#...", ".#...", "#...."],
}

# ---- drawings (on a 24 x 24 grid) ----


def page(c, x0=5, y0=2.5, x1=19, y1=21.5, fold=4.5):
    c.polygon([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)], PAPER_EDGE)
    c.polygon([(x0 + 1, y0 + 1), (x1 - fold - 0.4, y0 + 1), (x1 - 1, y0 + fold + 0.4),
               (x1 - 1, y1 - 1), (x0 + 1, y1 - 1)], PAPER)
    c.polygon([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], LIGHT_GREY)
    c.line([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)], 0.9, PAPER_EDGE)


def text_lines(c, x0, x1, ys, colour=GREY, width=1.2):
    for y in ys:
        c.line([(x0, y), (x1, y)], width, colour)


def gear(c, cx, cy, r, colour, hole=PAPER, teeth=8):
    pts = []
    for i in range(teeth * 4):
        a = 2 * math.pi * i / (teeth * 4)
        rr = r if (i % 4) in (0, 1) else r * 0.72
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    c.polygon(pts, colour)
    c.ellipse(cx, cy, r * 0.32, r * 0.32, hole)


def magnifier(c, cx, cy, r):
    c.line([(cx + r * 0.7, cy + r * 0.7), (cx + r * 1.9, cy + r * 1.9)], r * 0.55, BROWN)
    c.ellipse(cx, cy, r, r, rgb("#d9ecff"))
    c.ring(cx, cy, r, r * 0.3, DARK_BLUE)


def arrow_head(c, tip, direction, size, colour):
    dx, dy = direction
    n = math.hypot(dx, dy)
    dx, dy = dx / n, dy / n
    px, py = -dy, dx
    c.polygon([tip, (tip[0] - dx * size + px * size * 0.7, tip[1] - dy * size + py * size * 0.7),
               (tip[0] - dx * size - px * size * 0.7, tip[1] - dy * size - py * size * 0.7)],
              colour)


def globe(c, cx, cy, r):
    c.ellipse(cx, cy, r, r, rgb("#5aa0e6"))
    c.polygon([(cx - r * 0.6, cy - r * 0.5), (cx - r * 0.1, cy - r * 0.7),
               (cx + r * 0.1, cy - r * 0.2), (cx - r * 0.3, cy + r * 0.3),
               (cx - r * 0.7, cy + r * 0.1)], GREEN)
    c.polygon([(cx + r * 0.3, cy + r * 0.1), (cx + r * 0.8, cy + r * 0.2),
               (cx + r * 0.5, cy + r * 0.75), (cx + r * 0.2, cy + r * 0.6)], GREEN)
    c.ring(cx, cy, r, 1.0, DARK_BLUE)


def plus_badge(c, cx, cy, colour=GREEN):
    c.ellipse(cx, cy, 4.6, 4.6, PAPER)
    c.ellipse(cx, cy, 3.9, 3.9, colour)
    c.line([(cx - 2.2, cy), (cx + 2.2, cy)], 1.3, PAPER)
    c.line([(cx, cy - 2.2), (cx, cy + 2.2)], 1.3, PAPER)


def star(c, cx, cy, r, colour):
    pts = []
    for i in range(10):
        a = math.pi / 2 + math.pi * i / 5
        rr = r if i % 2 == 0 else r * 0.45
        pts.append((cx + rr * math.cos(a), cy - rr * math.sin(a)))
    c.polygon(pts, colour)


def draw_new(c):
    page(c)
    star(c, 17.5, 6, 5, YELLOW)


def draw_open(c):
    c.polygon([(2, 5), (8, 5), (10, 7), (19, 7), (19, 19), (2, 19)], DARK_YELLOW)
    c.polygon([(3, 8.5), (21.5, 8.5), (19, 19), (2, 19)], DARK_YELLOW)
    c.polygon([(4, 9.5), (22.5, 9.5), (19.5, 19.5), (2, 19.5)], YELLOW)


def draw_save(c):
    c.framed_rect(3, 3, 21, 21, BLUE, DARK_BLUE, 1.0, 1.5)
    c.rect(6, 3.5, 18, 11, PAPER)
    text_lines(c, 7.5, 16.5, [6, 8.5], LIGHT_GREY, 1.0)
    c.rect(7, 14, 17, 20.5, LIGHT_GREY)
    c.rect(13.5, 15, 15.5, 19.5, DARK_BLUE)


def draw_print(c):
    c.framed_rect(7, 2.5, 17, 10, PAPER, PAPER_EDGE, 1.0)
    c.framed_rect(2.5, 8.5, 21.5, 17.5, LIGHT_GREY, GREY, 1.0, 2.0)
    c.ellipse(18, 11.5, 1, 1, GREEN)
    c.framed_rect(6, 14, 18, 21.5, PAPER, PAPER_EDGE, 1.0)
    text_lines(c, 8, 16, [17, 19.2], GREY, 0.9)


def draw_exit(c):
    c.framed_rect(4, 2.5, 14, 21.5, rgb("#b07a46"), BROWN, 1.0)
    c.ellipse(11.5, 12, 0.9, 0.9, YELLOW)
    c.line([(11, 12), (19.5, 12)], 2.2, RED)
    arrow_head(c, (22.5, 12), (1, 0), 4, RED)


def draw_help(c):
    c.ellipse(12, 12, 10, 10, BLUE)
    c.text("?", 8.5, 5.5, 1.8, PAPER, bold=True)


def draw_about(c):
    c.ellipse(12, 12, 10, 10, BLUE)
    c.text("i", 11, 5.5, 1.8, PAPER, bold=True)


def draw_configure(c):
    gear(c, 12, 12, 10, GREY, PAPER)
    c.ring(12, 12, 3.2, 1.0, DARK_BLUE)


def draw_browser(c):
    page(c, 2.5, 1.5, 16.5, 20.5, 4)
    c.text("</>", 3.8, 6.5, 0.72, ORANGE, bold=True)
    globe(c, 16.5, 16.5, 6.5)


def draw_web(c):
    globe(c, 11, 11, 9)
    c.line([(19, 13), (19, 21)], 2.2, GREEN)
    arrow_head(c, (19, 23.5), (0, 1), 3.6, GREEN)


def draw_htmlfile(c):
    page(c)
    c.text("</>", 6.2, 9.5, 0.82, ORANGE, bold=True)


def draw_rtffile(c):
    page(c)
    c.text("A", 7, 9, 1.2, RED, bold=True)
    text_lines(c, 7, 17, [19], BLUE, 1.1)


def draw_cut(c):
    c.line([(7, 2.5), (15.5, 16)], 1.7, GREY)
    c.line([(17, 2.5), (8.5, 16)], 1.7, GREY)
    c.ring(7, 18, 3.3, 1.7, RED)
    c.ring(17, 18, 3.3, 1.7, RED)
    c.ellipse(12, 9.3, 0.9, 0.9, INK)


def draw_copy(c):
    page(c, 3, 2, 14.5, 16.5, 3.5)
    text_lines(c, 5, 12, [8, 10.5, 13], GREY, 0.9)
    page(c, 9.5, 7.5, 21, 22, 3.5)
    text_lines(c, 11.5, 18.5, [13.5, 16, 18.5], BLUE, 0.9)


def draw_paste(c):
    c.framed_rect(3.5, 4, 18.5, 21.5, rgb("#c49058"), BROWN, 1.0, 1.5)
    c.framed_rect(7.5, 2.5, 14.5, 6.5, LIGHT_GREY, GREY, 1.0, 1.0)
    page(c, 10.5, 9, 21.5, 22.5, 3)
    text_lines(c, 12.5, 19, [15, 17.5, 20], BLUE, 0.9)


def draw_find(c):
    magnifier(c, 10, 10, 6.2)


def draw_replace(c):
    c.text("a", 2, 2, 1.3, BLUE, bold=True)
    c.text("b", 15, 11, 1.3, RED, bold=True)
    c.arc(12, 12, 6.5, 200, 290, 1.5, GREEN)
    arrow_head(c, (15.5, 19.5), (1, 0.2), 3, GREEN)


def draw_undo(c):
    c.arc(12.5, 13.5, 7, 180, -70, 2.4, BLUE)
    arrow_head(c, (5.5, 16.5), (0, 1), 4.5, BLUE)


def draw_redo(c):
    c.arc(11.5, 13.5, 7, 0, 250, 2.4, BLUE)
    arrow_head(c, (18.5, 16.5), (0, 1), 4.5, BLUE)


def draw_delete(c):
    c.line([(5, 5), (19, 19)], 3.2, RED)
    c.line([(19, 5), (5, 19)], 3.2, RED)


def draw_head(c):
    page(c)
    c.rect(6, 3.5, 14.5, 9, BLUE)
    c.rect(14.5, 7, 18, 9, BLUE)
    text_lines(c, 7.5, 16.5, [12.5, 15, 17.5], GREY, 0.9)


def draw_body(c):
    page(c)
    text_lines(c, 7.5, 16.5, [7, 9.5, 12, 14.5, 17], BLUE, 1.0)
    c.rect(6, 18.8, 18, 20.5, ORANGE)


def draw_image(c):
    c.framed_rect(2, 4, 22, 20, rgb("#bfe0ff"), DARK_BLUE, 1.0)
    c.ellipse(16.5, 9, 2.2, 2.2, YELLOW)
    c.polygon([(3, 19), (9, 11), (13, 16), (16, 13), (21, 19)], GREEN)


def draw_table(c):
    c.framed_rect(2.5, 3.5, 21.5, 20.5, PAPER, DARK_BLUE, 1.0)
    c.rect(3.5, 4.5, 20.5, 8.5, BLUE)
    for y in (12.5, 16.5):
        c.line([(3.5, y), (20.5, y)], 0.8, DARK_BLUE)
    for x in (9, 15):
        c.line([(x, 4.5), (x, 20.5)], 0.8, DARK_BLUE)


def draw_link(c):
    c.line([(3, 15), (6, 12), (10, 12), (11.5, 13.5)], 2.2, GREY)
    c.line([(3, 15), (6, 18), (10, 18), (12.5, 15.5)], 2.2, GREY)
    c.line([(21, 9), (18, 6), (14, 6), (12.5, 7.5)], 2.2, BLUE)
    c.line([(21, 9), (18, 12), (14, 12), (11.5, 10.5)], 2.2, BLUE)
    c.line([(8.5, 15), (15.5, 9)], 2.2, DARK_BLUE)


def draw_hrule(c):
    text_lines(c, 3, 21, [5, 7.5], GREY, 1.1)
    c.rect(2, 11, 22, 13.5, DARK_BLUE)
    c.rect(2, 13.5, 22, 14.3, LIGHT_BLUE)
    text_lines(c, 3, 21, [17.5, 20], GREY, 1.1)


def draw_form(c):
    c.framed_rect(1.5, 3, 22.5, 21, LIGHT_GREY, GREY, 1.0, 1.0)
    c.framed_rect(3.5, 5.5, 20.5, 9.5, PAPER, PAPER_EDGE, 0.8)
    c.framed_rect(3.5, 11.5, 7.5, 15.5, PAPER, PAPER_EDGE, 0.8)
    c.line([(4.5, 13.5), (5.5, 14.7), (7, 12.2)], 0.9, GREEN)
    text_lines(c, 9, 19, [13.5], GREY, 1.0)
    c.framed_rect(11.5, 16.5, 20.5, 19.7, rgb("#e8ecf2"), DARK_BLUE, 0.8, 1.0)


def draw_date(c):
    c.framed_rect(3, 4, 21, 21.5, PAPER, PAPER_EDGE, 1.0, 1.0)
    c.rect(3.5, 4.5, 20.5, 9, RED)
    for x in (7.5, 16.5):
        c.line([(x, 2.5), (x, 6)], 1.4, INK)
    for row in range(3):
        for col in range(4):
            c.rect(6 + col * 3.4, 11 + row * 3.2, 7.8 + col * 3.4, 12.8 + row * 3.2,
                   BLUE if (row, col) != (1, 2) else ORANGE)


def draw_calculator(c):
    c.framed_rect(4, 2, 20, 22, rgb("#5a6472"), INK, 1.0, 1.5)
    c.rect(6, 4, 18, 8.5, rgb("#bfe8bf"))
    for row in range(3):
        for col in range(3):
            c.rect(6 + col * 4.2, 10.5 + row * 3.8, 9 + col * 4.2, 13 + row * 3.8,
                   ORANGE if col == 2 else LIGHT_GREY)


def rainbow(x, y):
    t = max(0.0, min(1.0, (x - 2) / 20))
    stops = [(0.0, (220, 40, 40)), (0.35, (240, 170, 20)), (0.65, (40, 160, 60)),
             (1.0, (40, 90, 220))]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            k = (t - t0) / (t1 - t0)
            return tuple(round(c0[i] + (c1[i] - c0[i]) * k) for i in range(3)) + (255,)
    return stops[-1][1] + (255,)


def draw_gradtext(c):
    c.text("Ab", 1.5, 5, 1.9, rainbow, bold=True)


def draw_font(c):
    c.text("A", 4, 2, 2.2, INK, bold=True)
    c.rect(3, 19, 21, 22, RED)


def draw_bold(c):
    c.text("B", 5, 2.5, 2.6, INK, bold=True)


def draw_italic(c):
    c.text("I", 7.5, 2.5, 2.6, INK, shear=0.18)


def draw_underline(c):
    c.text("U", 5.5, 1.5, 2.4, INK)
    c.rect(4, 20, 20, 22, INK)


def draw_align(c, where):
    widths = [16, 10, 16, 12, 16]
    for i, w in enumerate(widths):
        y = 4 + i * 4
        if where == "left":
            x0 = 3
        elif where == "right":
            x0 = 21 - w
        else:
            x0 = 12 - w / 2
        c.rect(x0, y, x0 + w, y + 1.8, INK)


def draw_numlist(c):
    for i, digit in enumerate("123"):
        y = 2.5 + i * 7
        c.text(digit, 2, y, 0.8, BLUE)
        c.rect(9, y + 2, 21.5, y + 3.8, INK)


def draw_bulletlist(c):
    for i in range(3):
        y = 5 + i * 7
        c.ellipse(5, y, 2.1, 2.1, BLUE)
        c.rect(9, y - 0.9, 21.5, y + 0.9, INK)


def draw_indent(c, more):
    for i in range(5):
        y = 3.5 + i * 4
        x0 = 11 if 0 < i < 4 else 3
        c.rect(x0, y, 21.5, y + 1.8, INK)
    if more:
        c.polygon([(3, 8.5), (8.5, 12.4), (3, 16.3)], BLUE)
    else:
        c.polygon([(8.5, 8.5), (3, 12.4), (8.5, 16.3)], BLUE)


def draw_record(c):
    c.ellipse(12, 12, 8.5, 8.5, RED)
    c.ellipse(10, 9.5, 3, 2.2, rgb("#f08a8a"))


def draw_play(c):
    c.polygon([(6, 3.5), (20, 12), (6, 20.5)], GREEN)


def draw_stop(c):
    c.rect(5, 5, 19, 19, INK, 1.5)


def draw_macrolist(c):
    c.framed_rect(2.5, 3, 21.5, 21, PAPER, PAPER_EDGE, 1.0)
    for i in range(4):
        y = 6.5 + i * 3.8
        c.ellipse(6, y + 0.5, 1.2, 1.2, RED)
        c.rect(8.5, y - 0.2, 19, y + 1.2, INK)


def draw_heading(c, level):
    c.text("H", 1.5, 5, 1.9, DARK_BLUE, bold=True)
    c.text(str(level), 13.5, 8.5, 1.45, ORANGE, bold=True)


def draw_fileadd(c):
    page(c, 3, 2, 17, 21, 4.5)
    text_lines(c, 5.5, 14.5, [8, 10.5, 13], GREY, 0.9)
    plus_badge(c, 17.5, 17.5)


def draw_setupfiles(c):
    page(c, 3, 2, 17, 21, 4.5)
    text_lines(c, 5.5, 14.5, [8, 10.5, 13], GREY, 0.9)
    gear(c, 17, 17, 6, GREY, PAPER)


def draw_setupformats(c):
    c.framed_rect(2, 3, 16, 17, rgb("#fff3c4"), DARK_YELLOW, 1.0, 1.5)
    c.text("Q", 4.3, 5.3, 1.35, DARK_BLUE, bold=True)
    gear(c, 17, 17, 6, GREY, PAPER)


def draw_logo(c):
    """The program's logo on a 24 x 24 grid: a blue tile with a page and "<Q>"."""
    c.rect(1, 1, 23, 23, DARK_BLUE, 4)
    c.rect(1.6, 1.6, 22.4, 22.4, lambda x, y: (round(42 - y), round(110 - y), round(230 - y * 3), 255),
           3.4)
    page(c, 5, 3, 19, 21, 4.5)
    c.text("<Q>", 5.6, 8.8, 0.95, ORANGE, bold=True)
    c.rect(6.5, 17.5, 17.5, 18.7, BLUE)


ICONS = {
    "new": draw_new, "open": draw_open, "save": draw_save, "print": draw_print,
    "exit": draw_exit, "help": draw_help, "about": draw_about, "configure": draw_configure,
    "browser": draw_browser, "web": draw_web, "htmlfile": draw_htmlfile,
    "rtffile": draw_rtffile, "cut": draw_cut, "copy": draw_copy, "paste": draw_paste,
    "find": draw_find, "replace": draw_replace, "undo": draw_undo, "redo": draw_redo,
    "delete": draw_delete, "head": draw_head, "body": draw_body, "image": draw_image,
    "table": draw_table, "link": draw_link, "hrule": draw_hrule, "form": draw_form,
    "date": draw_date, "calculator": draw_calculator, "gradtext": draw_gradtext,
    "font": draw_font, "bold": draw_bold, "italic": draw_italic, "underline": draw_underline,
    "aligncenter": lambda c: draw_align(c, "center"),
    "alignleft": lambda c: draw_align(c, "left"),
    "alignright": lambda c: draw_align(c, "right"),
    "numlist": draw_numlist, "bulletlist": draw_bulletlist,
    "indent": lambda c: draw_indent(c, True), "unindent": lambda c: draw_indent(c, False),
    "record": draw_record, "play": draw_play, "stop": draw_stop, "macrolist": draw_macrolist,
    "fileadd": draw_fileadd, "setupfiles": draw_setupfiles, "setupformats": draw_setupformats,
}
for _level in range(1, 7):
    ICONS["h%d" % _level] = (lambda level: lambda c: draw_heading(c, level))(_level)


def draw_splash(width, height):
    c = Canvas(width, height, width, height)

    def sky(x, y):
        t = y / height
        return (round(236 - 30 * t), round(243 - 22 * t), 255, 255)
    c.rect(0, 0, width, height, sky)
    c.rect(0, height - 6, width, height, BLUE)
    for i in range(7):
        c.line([(150 + i * 44, height - 6), (150 + i * 44 + 60, 0)], 10, rgb("#ffffff", 70))
    logo = Canvas(136, 136)
    draw_logo(logo)
    return c, logo


def draw_background(size):
    c = Canvas(size, size, size, size)

    def base(x, y):
        wave = math.sin((x + y) / size * 2 * math.pi)
        return (round(214 + 8 * wave), round(221 + 8 * wave), round(232 + 6 * wave), 255)
    c.rect(0, 0, size, size, base)
    for i in range(0, size, 8):
        c.line([(i, 0), (i + size / 4, size)], 0.6, rgb("#ffffff", 60))
    return c


def main():
    files = []
    for name, draw in sorted(ICONS.items()):
        for size in ICON_SIZES:
            c = Canvas(size, size)
            draw(c)
            rel = "icons/%d/%s.png" % (size, name)
            write_png(os.path.join(HERE, rel), size, size, c.pixels())
            files.append(rel)

    for size in (48, 128):
        c = Canvas(size, size)
        draw_logo(c)
        rel = "artwork/quinkle%s.png" % ("" if size == 128 else "-48")
        write_png(os.path.join(HERE, rel), size, size, c.pixels())
        files.append(rel)

    sky, logo = draw_splash(440, 200)
    pixels = sky.pixels()
    logo_pixels = logo.pixels()
    ox, oy = 22, 30
    for y in range(136):
        for x in range(136):
            r, g, b, a = logo_pixels[y * 136 + x]
            if a == 0:
                continue
            i = (oy + y) * 440 + ox + x
            br, bg, bb, _ = pixels[i]
            k = a / 255.0
            pixels[i] = (round(r * k + br * (1 - k)), round(g * k + bg * (1 - k)),
                         round(b * k + bb * (1 - k)), 255)
    write_png(os.path.join(HERE, "artwork/splash.png"), 440, 200, pixels)
    files.append("artwork/splash.png")

    background = draw_background(64)
    write_png(os.path.join(HERE, "artwork/backg.png"), 64, 64, background.pixels())
    files.append("artwork/backg.png")

    for size in DESKTOP_ICON_SIZES:
        c = Canvas(size, size)
        draw_logo(c)
        write_png(os.path.join(HICOLOR, "%dx%d" % (size, size), "apps", DESKTOP_ICON + ".png"),
                  size, size, c.pixels())
    svg = SvgCanvas()
    draw_logo(svg)
    os.makedirs(os.path.join(HICOLOR, "scalable", "apps"), exist_ok=True)
    with open(os.path.join(HICOLOR, "scalable", "apps", DESKTOP_ICON + ".svg"), "w") as f:
        f.write(svg.svg())

    with open(os.path.join(HERE, "quinkle.qrc"), "w") as qrc:
        qrc.write("<!DOCTYPE RCC>\n<!-- Written by make_artwork.py. -->\n")
        qrc.write("<RCC version=\"1.0\">\n  <qresource prefix=\"/\">\n")
        for rel in sorted(files):
            qrc.write("    <file>%s</file>\n" % rel)
        qrc.write("  </qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
