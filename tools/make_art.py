#!/usr/bin/env python3
"""Draws the Murvex logo (bitmap 129) and program icon (icon 128).

Writes src/resources/logo.bmp, a 167 x 69 one-bit bitmap with the palette
black, white (black is ink), and src/resources/Murvex.ico with 16, 32 and
48 pixel images. Run it again after changing the drawing; the outputs are
committed so that the build needs no Python.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "src", "resources")


def seg_dist(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


def arc(cx, cy, r, a0, a1, steps=24):
    """Polyline along a circle; angles in degrees, y grows upwards."""
    return [(cx + r * math.cos(math.radians(a0 + (a1 - a0) * i / steps)),
             cy + r * math.sin(math.radians(a0 + (a1 - a0) * i / steps))) for i in range(steps + 1)]


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.ink = [[False] * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, value=True):
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.ink[y][x] = value

    def frame(self, x0, y0, x1, y1, t):
        self.rect(x0, y0, x1, y0 + t)
        self.rect(x0, y1 - t, x1, y1)
        self.rect(x0, y0, x0 + t, y1)
        self.rect(x1 - t, y0, x1, y1)

    def strokes(self, polylines, width, clip):
        """Draws polylines of the given stroke width, clipped to clip = (x0, y0, x1, y1)."""
        half = width / 2.0
        segments = [(p[i], p[i + 1]) for p in polylines for i in range(len(p) - 1)]
        x0, y0, x1, y1 = clip
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                hits = 0
                for sy in range(4):
                    for sx in range(4):
                        px, py = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
                        if any(seg_dist(px, py, a[0], a[1], b[0], b[1]) <= half for a, b in segments):
                            hits += 1
                if hits >= 8:
                    self.ink[y][x] = True

    def text5x7(self, x, y, text):
        for ch in text:
            rows = FONT5X7[ch]
            for r, row in enumerate(rows):
                for c, bit in enumerate(row):
                    if bit == "#":
                        self.ink[y + r][x + c] = True
            x += 6


FONT5X7 = {
    " ": ["....."] * 7,
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
}


def murvex_glyphs(left, baseline, cap, xh, w):
    """Centre lines of "Murvex" in image coordinates (y down); returns polylines and right edge."""
    h = w / 2.0
    glyphs = []
    x = left

    def up(points):  # glyph coordinates (y up from the baseline) to image coordinates
        return [(x + px, baseline - py) for px, py in points]

    # M
    width = 24
    glyphs.append(up([(h, -2), (h, cap + 2), (width / 2, 6), (width - h, cap + 2), (width - h, -2)]))
    x += width + 2
    # u
    width = 15
    r = width / 2 - h
    glyphs.append(up([(h, xh + 2), (h, h + r)] + arc(width / 2, h + r, r, 180, 360)[1:]))
    glyphs.append(up([(width - h, xh + 2), (width - h, -2)]))
    x += width + 2
    # r
    width = 11
    glyphs.append(up([(h, -2), (h, xh + 2)]))
    glyphs.append(up(arc(h + 6, xh - h - 6, 6, 180, 60)))
    x += width + 2
    # v
    width = 16
    glyphs.append(up([(1, xh + 2), (width / 2, -1), (width - 1, xh + 2)]))
    x += width + 2
    # e
    width = 16
    r = width / 2 - h
    glyphs.append(up(arc(width / 2, xh / 2, r, 0, 320, 40)))
    glyphs.append(up([(h, xh / 2), (width - h, xh / 2)]))
    x += width + 2
    # x
    width = 15
    glyphs.append(up([(1, -1), (width - 1, xh + 1)]))
    glyphs.append(up([(1, xh + 1), (width - 1, -1)]))
    x += width
    return glyphs, x


def draw_logo():
    c = Canvas(167, 69)
    # The mark: a monitor whose screen shows an identification card and a sizing grid.
    mx, my = 4, 11
    c.frame(mx, my, mx + 46, my + 36, 3)
    for i, length in enumerate((13, 19, 10)):
        c.rect(mx + 6, my + 7 + 6 * i, mx + 6 + length, my + 10 + 6 * i)
    gx0, gy0, gx1, gy1 = mx + 29, my + 6, mx + 40, my + 29
    for x in range(gx0, gx1):
        if (x - gx0) % 3 != 2:
            c.ink[gy0][x] = True
            c.ink[gy1 - 1][x] = True
    for y in range(gy0, gy1):
        if (y - gy0) % 3 != 2:
            c.ink[y][gx0] = True
            c.ink[y][gx1 - 1] = True
    c.rect(mx + 19, my + 36, mx + 27, my + 42)   # neck
    c.rect(mx + 11, my + 42, mx + 35, my + 45)   # foot

    # The name, baseline under the screen's middle, and a short tagline beneath it.
    baseline, cap, xh = 37, 22, 16
    glyphs, right = murvex_glyphs(57, baseline, cap, xh, 4.2)
    c.strokes(glyphs, 4.2, (55, baseline - cap, right, baseline))
    c.text5x7(right - 77, 47, "ID WALLPAPERS")
    return c


def write_mono_bmp(path, canvas):
    width, height = canvas.width, canvas.height
    row_size = ((width + 31) // 32) * 4
    pixels = bytearray()
    for y in reversed(range(height)):
        row = bytearray(row_size)
        for x in range(width):
            if not canvas.ink[y][x]:  # paper is bit 1 (white)
                row[x // 8] |= 0x80 >> (x % 8)
        pixels += row
    palette = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 1, 0, len(pixels), 0, 0, 2, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    with open(path, "wb") as f:
        f.write(header + info + palette + pixels)


def icon_image(size):
    """RGBA rows, top first: a monitor with a blue screen showing caption lines."""
    s = size / 48.0
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def fill(x0, y0, x1, y1, rgba):
        for y in range(int(round(y0 * s)), int(round(y1 * s))):
            for x in range(int(round(x0 * s)), int(round(x1 * s))):
                if 0 <= x < size and 0 <= y < size:
                    px[y][x] = rgba

    frame, screen, text, stand = (52, 58, 68, 255), (30, 90, 168, 255), (255, 255, 255, 255), (110, 116, 126, 255)
    fill(2, 5, 46, 37, frame)
    fill(5, 8, 43, 34, screen)
    for i, length in enumerate((20, 28, 14)):
        fill(9, 12 + 7 * i, 9 + length, 15 + 7 * i, text)
    fill(19, 37, 29, 42, stand)
    fill(11, 42, 37, 46, stand)
    return px


def write_icon(path, sizes):
    images = []
    for size in sizes:
        px = icon_image(size)
        xor = bytearray()
        for y in reversed(range(size)):
            for x in range(size):
                r, g, b, a = px[y][x]
                xor += bytes([b, g, r, a])
        mask_row = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in reversed(range(size)):
            row = bytearray(mask_row)
            for x in range(size):
                if px[y][x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((size, info + xor + mask))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in images:
        data += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, blob in images:
        data += blob
    with open(path, "wb") as f:
        f.write(data)


def preview(canvas):
    return "\n".join("".join("#" if v else "." for v in row) for row in canvas.ink)


if __name__ == "__main__":
    logo = draw_logo()
    write_mono_bmp(os.path.join(OUT, "logo.bmp"), logo)
    write_icon(os.path.join(OUT, "Murvex.ico"), (16, 32, 48))
    if os.environ.get("PREVIEW"):
        print(preview(logo))
