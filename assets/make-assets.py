#!/usr/bin/env python3
"""Draws the program's artwork: the window icon, the title logo and the two chooser logos.

Standard library only. Run from anywhere; the files are written next to this script:
    python3 assets/make-assets.py
"""

import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# A 5 x 7 block font, just the letters the artwork needs.
GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".###."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "Z": ["#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"],
}

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
LIGHT_GREY = (224, 224, 224)  # the window's own background
GREY = (128, 128, 128)


class Canvas:
    def __init__(self, width, height, background):
        self.width = width
        self.height = height
        self.pixels = [[background] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x, y, w, h, colour):
        for j in range(y, y + h):
            for i in range(x, x + w):
                self.put(i, j, colour)

    def frame(self, x, y, w, h, colour):
        for i in range(x, x + w):
            self.put(i, y, colour)
            self.put(i, y + h - 1, colour)
        for j in range(y, y + h):
            self.put(x, j, colour)
            self.put(x + w - 1, j, colour)

    def disc(self, cx, cy, radius, colour, inner=0.0):
        for j in range(int(cy - radius) - 1, int(cy + radius) + 2):
            for i in range(int(cx - radius) - 1, int(cx + radius) + 2):
                d2 = (i + 0.5 - cx) ** 2 + (j + 0.5 - cy) ** 2
                if inner * inner <= d2 <= radius * radius:
                    self.put(i, j, colour)

    def diamond(self, cx, cy, radius, colour):
        for j in range(int(cy - radius), int(cy + radius) + 1):
            for i in range(int(cx - radius), int(cx + radius) + 1):
                if abs(i + 0.5 - cx) + abs(j + 0.5 - cy) <= radius:
                    self.put(i, j, colour)

    def text(self, x, y, word, scale, colour, gap=1, shadow=None):
        """Block letters; returns the x after the last letter."""
        for letter in word:
            rows = GLYPHS[letter]
            for layer, (dx, dy, c) in enumerate(
                [(scale // 2 + 1, scale // 2 + 1, shadow), (0, 0, colour)]
            ):
                if c is None:
                    continue
                for j, row in enumerate(rows):
                    for i, cell in enumerate(row):
                        if cell == "#":
                            self.rect(x + i * scale + dx, y + j * scale + dy, scale, scale, c)
            x += (5 + gap) * scale
        return x

    @staticmethod
    def text_width(word, scale, gap=1):
        return len(word) * (5 + gap) * scale - gap * scale


def palette_of(canvases):
    colours = []
    for canvas in canvases:
        for row in canvas.pixels:
            for c in row:
                if c not in colours:
                    colours.append(c)
    if len(colours) > 256:
        raise SystemExit("too many colours")
    return colours


def bmp_8bit(canvas):
    """An 8-bit palette BMP, bottom-up rows, as LoadImage reads it on every Windows."""
    palette = palette_of([canvas])
    index = {c: i for i, c in enumerate(palette)}
    stride = (canvas.width + 3) & ~3
    rows = b""
    for y in reversed(range(canvas.height)):
        row = bytes(index[c] for c in canvas.pixels[y])
        rows += row + b"\0" * (stride - canvas.width)
    colour_table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(rows),
                       2835, 2835, len(palette), len(palette))
    offset = 14 + len(info) + len(colour_table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + colour_table + rows


# The 16 colours of the standard Windows palette: the icon uses only these.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]


def icon_image(canvas, transparent):
    """One 4-bit icon image: header, palette, colour rows, then the transparency mask."""
    size = canvas.width
    index = {c: i for i, c in enumerate(VGA)}
    colour_stride = ((size * 4 + 31) // 32) * 4
    mask_stride = ((size + 31) // 32) * 4
    colour_rows = b""
    mask_rows = b""
    for y in reversed(range(size)):
        row = canvas.pixels[y]
        nibbles = [0 if c == transparent else index[c] for c in row]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1] for i in range(0, size, 2))
        colour_rows += packed + b"\0" * (colour_stride - len(packed))
        mask = bytearray(mask_stride)
        for x, c in enumerate(row):
            if c == transparent:
                mask[x // 8] |= 0x80 >> (x % 8)
        mask_rows += bytes(mask)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in VGA)
    return info + table + colour_rows + mask_rows


def ico(canvases, transparent):
    images = [icon_image(c, transparent) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for canvas, image in zip(canvases, images):
        out += struct.pack("<BBBBHHII", canvas.width % 256, canvas.height % 256, 16, 0, 1, 4,
                           len(image), offset)
        offset += len(image)
    return out + b"".join(images)


MAGENTA_KEY = (255, 0, 255)  # marks the icon's transparent pixels


def draw_icon(size):
    c = Canvas(size, size, MAGENTA_KEY)
    navy, blue, white, silver = VGA[4], VGA[12], VGA[15], VGA[7]
    # A rounded tile: navy rim, blue face, the initial in white with a navy shadow.
    c.rect(1, 0, size - 2, size, navy)
    c.rect(0, 1, size, size - 2, navy)
    c.rect(2, 1, size - 4, size - 2, blue)
    c.rect(1, 2, size - 2, size - 4, blue)
    scale = 4 if size >= 32 else 2
    w, h = 5 * scale, 7 * scale
    x, y = (size - w) // 2, (size - h) // 2
    for j, row in enumerate(GLYPHS["M"]):
        for i, cell in enumerate(row):
            if cell == "#":
                c.rect(x + i * scale + 1, y + j * scale + 1, scale, scale, navy)
    for j, row in enumerate(GLYPHS["M"]):
        for i, cell in enumerate(row):
            if cell == "#":
                c.rect(x + i * scale, y + j * scale, scale, scale, white)
    # A silver underline: the "profile card" motif of the logo.
    if size >= 32:
        c.rect(x, y + h + 1, w, 1, silver)
    return c


def draw_logo():
    # The logo sits in the title area with its top 6 and left 4 pixels hidden, and the title
    # line is written over its bottom 11: the name goes in between.
    c = Canvas(264, 43, LIGHT_GREY)
    navy, blue, sky = (0, 0, 128), (0, 64, 192), (96, 144, 224)
    x = c.text(10, 8, "MORVANE", 3, navy, gap=1, shadow=(160, 160, 176))
    # Three stacked cards of decreasing width: profiles.
    left = x + 8
    for k, colour in enumerate([navy, blue, sky]):
        top = 9 + k * 7
        width = 64 - k * 14
        c.rect(left + k * 4, top, width, 5, colour)
        c.rect(left + k * 4 + 2, top + 5, width, 1, (160, 160, 176))
    return c


def draw_chooser(name, emblem):
    c = Canvas(165, 95, WHITE)
    c.frame(6, 6, 153, 83, (192, 192, 192))
    emblem(c, 82.5, 36)
    width = Canvas.text_width(name, 2)
    c.text(int((165 - width) / 2), 64, name, 2, (32, 32, 32))
    return c


def grokster_emblem(c, cx, cy):
    # Concentric rings in greens, a dot in the middle.
    c.disc(cx, cy, 22, (0, 120, 40))
    c.disc(cx, cy, 16, WHITE)
    c.disc(cx, cy, 12, (40, 170, 70))
    c.disc(cx, cy, 6, WHITE)
    c.disc(cx, cy, 3, (0, 120, 40))


def kazaa_emblem(c, cx, cy):
    # Two overlapping diamonds, orange and blue.
    c.diamond(cx - 9, cy, 18, (230, 120, 0))
    c.diamond(cx + 9, cy, 18, (20, 80, 170))
    c.diamond(cx, cy, 9, (250, 190, 60))


def main():
    with open(os.path.join(HERE, "morvane.ico"), "wb") as f:
        f.write(ico([draw_icon(32), draw_icon(16)], MAGENTA_KEY))
    with open(os.path.join(HERE, "logo.bmp"), "wb") as f:
        f.write(bmp_8bit(draw_logo()))
    with open(os.path.join(HERE, "grokster.bmp"), "wb") as f:
        f.write(bmp_8bit(draw_chooser("GROKSTER", grokster_emblem)))
    with open(os.path.join(HERE, "kazaa.bmp"), "wb") as f:
        f.write(bmp_8bit(draw_chooser("KAZAA", kazaa_emblem)))


if __name__ == "__main__":
    main()
