#!/usr/bin/env python3
"""Draws the tree, tool-bar and editor images of the main window as 16 x 16
PNG files into resources/app/images (run from the repository root)."""
import math
import os
import struct
import zlib

SIZE = 16
OUT = os.path.join("resources", "app", "images")


class Image:
    def __init__(self):
        self.px = [[(0, 0, 0, 0)] * SIZE for _ in range(SIZE)]

    def set(self, x, y, c):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c if len(c) == 4 else c + (255,)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.set(x, y0, c)
            self.set(x, y1, c)
        for y in range(y0, y1 + 1):
            self.set(x0, y, c)
            self.set(x1, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.set(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.set(x, y, c)

    def ring(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if r - 0.6 <= d <= r + 0.4:
                    self.set(x, y, c)

    def save(self, name):
        raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in self.px)

        def chunk(tag, data):
            body = tag + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(raw, 9))
        png += chunk(b"IEND", b"")
        with open(os.path.join(OUT, name + ".png"), "wb") as f:
            f.write(png)


BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
NAVY = (0, 0, 128)
BLUE = (40, 90, 200)
SKY = (150, 200, 250)
MAROON = (128, 0, 0)
RED = (210, 30, 30)
GREEN = (30, 140, 50)
YELLOW = (250, 220, 80)
ORANGE = (240, 150, 40)
GREY = (128, 128, 128)
LIGHT = (225, 225, 225)
HILITE = (255, 240, 160)


def document(img):
    img.fill(3, 1, 12, 14, WHITE)
    img.frame(3, 1, 12, 14, GREY)


def folder(img, open_):
    img.fill(1, 3, 6, 4, ORANGE)
    img.fill(1, 5, 14, 13, YELLOW)
    img.frame(1, 5, 14, 13, (170, 120, 20))
    if open_:
        img.fill(3, 8, 15, 13, (255, 235, 140))
        img.line(3, 8, 15, 8, (170, 120, 20))


def globe(img, back=None):
    if back:
        img.fill(0, 0, 15, 15, back)
    img.disc(7.5, 7.5, 6.5, SKY)
    img.ring(7.5, 7.5, 6.5, BLUE)
    img.line(1, 7, 14, 7, BLUE)
    img.line(7, 1, 7, 14, BLUE)
    img.ring(7.5, 7.5, 3.5, BLUE)
    img.fill(4, 4, 6, 6, GREEN)
    img.fill(9, 9, 11, 11, GREEN)


def population(img, back=None):
    if back:
        img.fill(0, 0, 15, 15, back)
    img.frame(0, 0, 15, 15, GREY)
    for (x, y, c) in [(3, 3, RED), (9, 2, BLUE), (12, 6, GREEN), (5, 8, ORANGE),
                      (10, 11, RED), (3, 12, BLUE), (7, 5, GREEN), (12, 13, ORANGE)]:
        img.fill(x, y, x + 1, y + 1, c)


def tree_images():
    for i in range(20):
        img = Image()
        if i == 1:  # program root: a monitor
            img.fill(1, 2, 14, 11, GREY)
            img.fill(2, 3, 13, 10, BLUE)
            img.line(3, 9, 6, 6, YELLOW)
            img.line(6, 6, 9, 8, YELLOW)
            img.line(9, 8, 12, 4, YELLOW)
            img.fill(6, 12, 9, 13, GREY)
            img.fill(4, 14, 11, 14, GREY)
        elif i == 2:
            globe(img, HILITE)
        elif i == 3:
            globe(img)
        elif i == 5:
            folder(img, True)
        elif i == 6:
            folder(img, False)
        elif i == 7:
            population(img, HILITE)
        elif i == 8:
            population(img)
        elif i == 12:  # sample: a data sheet
            img.fill(1, 2, 14, 13, WHITE)
            img.frame(1, 2, 14, 13, GREY)
            img.fill(1, 2, 14, 4, GREEN)
            for y in (7, 10):
                img.line(1, y, 14, y, LIGHT)
            for x in (5, 10):
                img.line(x, 2, x, 13, LIGHT)
            img.frame(1, 2, 14, 13, GREY)
        elif i in (16, 17):  # process: a coin, on a folder for the folder node
            if i == 17:
                folder(img, False)
            img.disc(7.5, 7.5, 5.5 if i == 16 else 4.0, (230, 190, 60))
            img.ring(7.5, 7.5, 5.5 if i == 16 else 4.0, (150, 110, 20))
            img.fill(7, 5, 8, 10, (150, 110, 20))
        elif i == 18:  # log: a note pad
            document(img)
            for y in (4, 6, 8, 10, 12):
                img.line(5, y, 10, y, NAVY)
        elif i == 19:  # normal curve
            img.fill(0, 0, 15, 15, WHITE)
            img.frame(0, 0, 15, 15, GREY)
            prev = None
            for x in range(1, 15):
                y = 13 - round(10 * math.exp(-((x - 7.5) / 2.8) ** 2 / 2))
                if prev:
                    img.line(prev[0], prev[1], x, y, MAROON)
                prev = (x, y)
            img.line(1, 13, 14, 13, BLACK)
        else:
            document(img)
        img.save("tree_%02d" % i)


def tool_images():
    img = Image()  # open a document
    folder(img, True)
    img.line(10, 1, 14, 1, GREEN)
    img.line(14, 1, 14, 4, GREEN)
    img.line(9, 6, 14, 1, GREEN)
    img.save("tool_open")

    img = Image()  # object inspector
    img.fill(1, 1, 14, 14, WHITE)
    img.frame(1, 1, 14, 14, GREY)
    img.fill(2, 2, 6, 13, SKY)
    img.line(6, 1, 6, 14, GREY)
    img.save("tool_side_panel")

    img = Image()  # delete branch
    img.line(3, 3, 12, 12, RED)
    img.line(4, 3, 13, 12, RED)
    img.line(12, 3, 3, 12, RED)
    img.line(13, 3, 4, 12, RED)
    img.save("tool_delete")

    for index, on in ((8, True), (9, False)):  # automatic expansion on / off
        img = Image()
        img.frame(2, 2, 8, 8, GREY)
        img.line(3, 5, 7, 5, BLACK)
        if not on:
            img.line(5, 3, 5, 7, BLACK)
        img.line(5, 9, 5, 13, GREY)
        img.line(5, 13, 13, 13, GREY)
        img.fill(10, 12, 13, 14, GREEN if on else GREY)
        img.save("tool_%02d" % index)


def editor_images():
    for index, up in ((0, True), (1, False)):  # tool bar hidden / shown
        img = Image()
        for k in range(5):
            y = (9 - k) if up else (5 + k)
            img.line(7 - k, y, 8 + k, y, NAVY)
        img.save("edit_%02d" % index)

    img = Image()
    folder(img, True)
    img.save("edit_open")

    img = Image()  # a diskette
    img.fill(1, 1, 14, 14, NAVY)
    img.fill(4, 1, 11, 6, WHITE)
    img.fill(4, 9, 11, 14, LIGHT)
    img.save("edit_save")

    img = Image()  # clear: an eraser over a page
    document(img)
    img.line(4, 11, 11, 4, RED)
    img.line(4, 4, 11, 11, RED)
    img.save("edit_clear")


if __name__ == "__main__":
    os.makedirs(OUT, exist_ok=True)
    tree_images()
    tool_images()
    editor_images()
