#!/usr/bin/env python3
"""Draws the program's pictures and its cursor as PNG files in pictures/.

Standard library only. Run it from any folder; it writes next to itself:
    python3 resources/make_icons.py
"""

import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")

WHITE = (255, 255, 255, 255)
BLACK = (0, 0, 0, 255)
CLEAR = (0, 0, 0, 0)
INK = (30, 40, 60, 255)
PAPER = (236, 236, 236, 255)
PRESSED = (60, 80, 120, 255)
LIGHT = (250, 250, 250, 255)
GREEN = (0, 146, 70, 255)
RED = (206, 43, 55, 255)
US_RED = (178, 34, 52, 255)
US_BLUE = (60, 59, 110, 255)
EARTH = (120, 160, 80, 255)
SIDE = (178, 190, 160, 255)
SKY = (90, 130, 200, 255)
ORANGE = (220, 120, 30, 255)


class Canvas:
    def __init__(self, width, height, fill):
        self.w = width
        self.h = height
        self.px = [[fill] * width for _ in range(height)]

    def dot(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x, y, w, h, c):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.dot(i, j, c)

    def frame(self, x, y, w, h, c):
        self.line(x, y, x + w - 1, y, c)
        self.line(x, y + h - 1, x + w - 1, y + h - 1, c)
        self.line(x, y, x, y + h - 1, c)
        self.line(x + w - 1, y, x + w - 1, y + h - 1, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx = 1 if x0 < x1 else -1
        sy = 1 if y0 < y1 else -1
        err = dx + dy
        while True:
            for a in range(width):
                for b in range(width):
                    self.dot(x0 + a - width // 2, y0 + b - width // 2, c)
            if x0 == x1 and y0 == y1:
                break
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polyline(self, points, c, width=1):
        for (x0, y0), (x1, y1) in zip(points, points[1:]):
            self.line(x0, y0, x1, y1, c, width)

    def disc(self, cx, cy, r, c):
        for j in range(cy - r, cy + r + 1):
            for i in range(cx - r, cx + r + 1):
                if (i - cx) ** 2 + (j - cy) ** 2 <= r * r + r // 2:
                    self.dot(i, j, c)

    def polygon(self, points, c):
        ys = [p[1] for p in points]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            n = len(points)
            for k in range(n):
                (x0, y0), (x1, y1) = points[k], points[(k + 1) % n]
                if y0 == y1:
                    continue
                if min(y0, y1) <= y < max(y0, y1):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(round(a)), int(round(b)) + 1):
                    self.dot(x, y, c)

    def png(self, name):
        raw = b"".join(b"\x00" + b"".join(struct.pack("4B", *p) for p in row) for row in self.px)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        data = b"\x89PNG\r\n\x1a\n"
        data += chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 6, 0, 0, 0))
        data += chunk(b"IDAT", zlib.compress(raw, 9))
        data += chunk(b"IEND", b"")
        with open(os.path.join(OUT, name + ".png"), "wb") as f:
            f.write(data)


def cross(o, a, b):
    return (a[0] - o[0]) * (b[1] - o[1]) - (a[1] - o[1]) * (b[0] - o[0])


def hull(points):
    """The corners of the convex hull, counter-clockwise (Andrew's monotone chain)."""
    points = sorted(set(points))
    lower, upper = [], []
    for p in points:
        while len(lower) >= 2 and cross(lower[-2], lower[-1], p) <= 0:
            lower.pop()
        lower.append(p)
    for p in reversed(points):
        while len(upper) >= 2 and cross(upper[-2], upper[-1], p) <= 0:
            upper.pop()
        upper.append(p)
    return lower[:-1] + upper[:-1]


# The view-preset faces: a box seen from above in the preset's projection (56 x 32), on a
# transparent ground. The bottom corner that falls inside the box's outline is hidden behind it,
# and so are the three edges that meet there.
def box_face(corners_top, corners_bottom):
    c = Canvas(56, 32, CLEAR)
    outline = hull(corners_top + corners_bottom)
    hidden = [k for k, p in enumerate(corners_bottom) if p not in outline]
    n = len(corners_top)
    edges = [(k, (k + 1) % n) for k in range(n)]
    for k, m in edges:
        if k not in hidden and m not in hidden:
            c.polygon([corners_top[k], corners_top[m], corners_bottom[m], corners_bottom[k]], SIDE)
    c.polygon(corners_top, EARTH)
    for k, m in edges:
        c.line(*corners_top[k], *corners_top[m], INK)
        if k not in hidden and m not in hidden:
            c.line(*corners_bottom[k], *corners_bottom[m], INK)
    for k in range(n):
        if k not in hidden:
            c.line(*corners_top[k], *corners_bottom[k], INK)
    return c


def view_faces():
    # Isometric: both axes at 30 degrees.
    top = [(28, 3), (49, 12), (28, 21), (7, 12)]
    box_face(top, [(x, y + 9) for x, y in top]).png("Picture1")
    # Monometric: both axes at 45 degrees.
    top = [(28, 2), (44, 13), (28, 24), (12, 13)]
    box_face(top, [(x, y + 6) for x, y in top]).png("Picture2")
    # Dimetric: one axis level, the other at 45 degrees.
    top = [(8, 8), (36, 8), (48, 18), (20, 18)]
    box_face(top, [(x, y + 10) for x, y in top]).png("Picture3")
    # Top view: the box from above, with contour lines.
    c = Canvas(56, 32, CLEAR)
    c.rect(12, 3, 32, 26, EARTH)
    c.frame(12, 3, 32, 26, INK)
    c.polyline([(14, 24), (20, 18), (28, 16), (36, 10), (42, 6)], LIGHT)
    c.polyline([(14, 14), (22, 10), (30, 6)], LIGHT)
    c.png("Picture4")


def flags():
    # The Italian flag: green, white, red in three upright bands (28 x 26).
    c = Canvas(28, 26, WHITE)
    c.rect(0, 3, 9, 20, GREEN)
    c.rect(19, 3, 9, 20, RED)
    c.frame(0, 3, 28, 20, INK)
    c.png("bita")
    # The US flag: seven red stripes and the blue canton with white stars.
    c = Canvas(28, 26, WHITE)
    for k in range(7):
        c.rect(0, 3 + 3 * k, 28, 1 if k == 6 else 2, US_RED)
    c.rect(0, 3, 12, 10, US_BLUE)
    for j in range(3):
        for i in range(4):
            c.dot(1 + 3 * i, 4 + 3 * j, WHITE)
    c.frame(0, 3, 28, 20, INK)
    c.png("busa")


def small_icons():
    # The control panel's row icons, on a transparent ground.
    # Points along Y: a column of dots receding upwards (35 x 24).
    c = Canvas(35, 24, CLEAR)
    c.line(6, 21, 26, 3, INK)
    for k in range(5):
        c.disc(6 + 5 * k, 21 - 4 * k - (k > 3), 1, SKY)
    c.line(26, 3, 22, 4, INK)
    c.line(26, 3, 25, 7, INK)
    c.png("ico1")
    # Points along X: a row of dots with the X arrow.
    c = Canvas(35, 24, CLEAR)
    c.line(3, 16, 31, 16, INK)
    for k in range(5):
        c.disc(5 + 6 * k, 12, 1, ORANGE)
    c.line(31, 16, 28, 13, INK)
    c.line(31, 16, 28, 19, INK)
    c.png("ico2")
    # A terrain mesh in perspective.
    c = Canvas(35, 24, CLEAR)
    rows = [[(3 + 7 * i + 2 * j, 20 - 4 * j - ((i * j) % 3)) for i in range(4)] for j in range(4)]
    for row in rows:
        c.polyline(row, GREEN)
    for i in range(4):
        c.polyline([rows[j][i] for j in range(4)], GREEN)
    c.png("mesh35x24")


# The tool palette's faces (32 x 32): plain is dark ink on light, pressed is light on dark.
def tool_faces():
    def face(name, draw):
        plain = Canvas(32, 32, CLEAR)
        plain.rect(1, 1, 30, 30, PAPER)
        plain.frame(1, 1, 30, 30, (150, 150, 150, 255))
        draw(plain, INK)
        plain.png(name)
        pressed = Canvas(32, 32, CLEAR)
        pressed.rect(1, 1, 30, 30, PRESSED)
        pressed.frame(1, 1, 30, 30, BLACK)
        draw(pressed, LIGHT)
        pressed.png(name + "copia")

    def select(c, ink):
        c.polygon([(10, 6), (10, 24), (14, 20), (18, 27), (21, 26), (17, 19), (23, 19)], ink)

    def reference(c, ink):
        c.line(6, 22, 26, 22, ink)
        c.line(6, 17, 6, 26, ink)
        c.line(26, 17, 26, 26, ink)
        c.polyline([(9, 19), (6, 22), (9, 25)], ink)
        c.polyline([(23, 19), (26, 22), (23, 25)], ink)
        c.disc(6, 8, 2, ink)
        c.disc(26, 8, 2, ink)
        c.line(6, 8, 26, 8, ink)

    def contour(c, ink):
        c.polyline([(5, 24), (10, 16), (16, 18), (21, 9), (27, 7)], ink, 2)
        for p in [(5, 24), (10, 16), (16, 18), (21, 9), (27, 7)]:
            c.rect(p[0] - 1, p[1] - 1, 3, 3, ink)

    def point(c, ink):
        c.line(16, 6, 16, 12, ink)
        c.line(16, 20, 16, 26, ink)
        c.line(6, 16, 12, 16, ink)
        c.line(20, 16, 26, 16, ink)
        c.rect(14, 14, 5, 5, ink)

    def delete(c, ink):
        c.line(9, 9, 23, 23, ink, 3)
        c.line(23, 9, 9, 23, ink, 3)

    face("ib1", select)
    face("ib2", reference)
    face("ib3", contour)
    face("ib4", point)
    face("ib5", delete)


def cursor():
    # A crosshair with an open centre, hot spot at (7, 7) (16 x 16).
    c = Canvas(16, 16, CLEAR)
    for ink, grow in ((WHITE, 1), (BLACK, 0)):
        for a, b in ((0, 5), (10, 15)):
            c.rect(a - grow, 7 - grow, b - a + 1 + 2 * grow, 1 + 2 * grow, ink)
            c.rect(7 - grow, a - grow, 1 + 2 * grow, b - a + 1 + 2 * grow, ink)
    c.dot(7, 7, BLACK)
    c.png("cursore")


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    view_faces()
    flags()
    small_icons()
    tool_faces()
    cursor()
