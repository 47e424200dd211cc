#!/usr/bin/env python3
"""Draws the 16 x 16 button images into res/bilder/ as 256-colour bitmaps on the transparent
magenta: for the buttoned edits a folder (DIR) and the folder with a green arrow (FILE), each normal
(0), greyed (1) and brighter for the hot state (2); for the navigator's ten buttons one bitmap each
(KIV_FIRST ... KIV_REFRESH) holding the normal glyph and, to its right, the disabled one, engraved
in grey. Run it by hand after changing a picture."""
import math
import os
import struct

FOLDER = [
    "................",
    "................",
    ".oooooo.........",
    ".ohhhhho........",
    ".ohyyyyyoooooooo",
    ".ohhhhhhhhhhhhho",
    ".ohyyyyyyyyyyydo",
    ".oyyyyyyyyyyyydo",
    ".oyyyyyyyyyyyydo",
    ".oyyyyyyyyyyyydo",
    ".oyyyyyyyyyyyydo",
    ".oyyyyyyyyyyyydo",
    ".oyyyyyyyyyyyydo",
    ".oddddddddddddoo",
    ".ooooooooooooooo",
    "................",
]
# The arrow points right, into the folder's content: a file is chosen.
ARROW = {(7, 10), (8, 10), (8, 11), (9, 10), (9, 11), (9, 12), (10, 10), (10, 11), (11, 10)}
ARROW |= {(y, x) for y in (8, 9, 10) for x in range(4, 10)}

COLOURS = {
    0: {"o": (128, 96, 0), "y": (255, 204, 51), "h": (255, 236, 160), "d": (224, 168, 32), "g": (0, 160, 0)},
    1: {"o": (128, 128, 128), "y": (200, 200, 200), "h": (224, 224, 224), "d": (176, 176, 176), "g": (150, 150, 150)},
    2: {"o": (176, 136, 16), "y": (255, 224, 110), "h": (255, 248, 210), "d": (245, 200, 70), "g": (40, 210, 40)},
}
MAGENTA = (255, 0, 255)


def bitmap(rows):
    width = len(rows[0])
    palette = [MAGENTA]
    index = []
    for row in rows:
        line = []
        for c in row:
            if c not in palette:
                palette.append(c)
            line.append(palette.index(c))
        index.append(line)
    palette += [(0, 0, 0)] * (256 - len(palette))
    pixels = b"".join(bytes(line) for line in reversed(index))  # bottom row first; widths are multiples of 4
    header = struct.pack("<IiiHHIIiiII", 40, width, len(rows), 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + len(header) + len(colours)
    return struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset) + header + colours + pixels


def picture(state, arrow):
    colours = COLOURS[state]
    rows = []
    for y, text in enumerate(FOLDER):
        row = []
        for x, c in enumerate(text):
            if arrow and (y, x) in ARROW:
                row.append(colours["g"])
            elif c == ".":
                row.append(MAGENTA)
            else:
                row.append(colours[c])
        rows.append(row)
    return rows


# The navigator's glyphs as sets of (x, y) points, each in one colour.
BLACK, GREEN, RED, BLUE = (0, 0, 0), (0, 128, 0), (192, 0, 0), (0, 80, 176)


def triangle(tip, base, top, bottom):
    """A triangle pointing left (tip < base) or right over the rows top to bottom (an odd count):
    the middle row reaches from base to tip, each row further out one pixel less."""
    points = set()
    middle = (top + bottom) // 2
    for y in range(top, bottom + 1):
        for step in range(abs(base - tip) - abs(y - middle) + 1):
            points.add((base - step if tip < base else base + step, y))
    return points


def bar(left, right, top, bottom):
    return {(x, y) for x in range(left, right + 1) for y in range(top, bottom + 1)}


def mirrored(points):
    return {(15 - x, y) for x, y in points}


def line(x0, y0, x1, y1, thick=2):
    steps = max(abs(x1 - x0), abs(y1 - y0))
    points = set()
    for i in range(steps + 1):
        x = round(x0 + (x1 - x0) * i / steps)
        y = round(y0 + (y1 - y0) * i / steps)
        points |= {(x + dx, y) for dx in range(thick)}
    return points


def ring():
    """A circle open at its top right; an arrow head on its upper end points on clockwise."""
    points = set()
    for y in range(16):
        for x in range(16):
            dx, dy = x + 0.5 - 8, y + 0.5 - 8.5
            angle = math.degrees(math.atan2(-dy, dx)) % 360
            if 3.5 <= math.hypot(dx, dy) <= 5.5 and not 25 <= angle <= 85:
                points.add((x, y))
    return points | triangle(12, 9, 1, 7)


FIRST = bar(4, 5, 3, 11) | triangle(7, 11, 3, 11)
PRIOR = triangle(6, 10, 3, 11)
UP = {(x, y) for y in range(5, 11) for x in range(8 - (y - 4), 8 + (y - 4))}
GLYPHS = {
    "KIV_FIRST": (FIRST, BLACK),
    "KIV_PRIOR": (PRIOR, BLACK),
    "KIV_NEXT": (mirrored(PRIOR), BLACK),
    "KIV_LAST": (mirrored(FIRST), BLACK),
    "KIV_INSERT": (bar(4, 11, 7, 8) | bar(7, 8, 4, 11), BLACK),
    "KIV_DELETE": (bar(4, 11, 7, 8), BLACK),
    "KIV_EDIT": (UP, BLACK),
    "KIV_POST": (line(2, 8, 5, 11) | line(6, 11, 13, 4), GREEN),
    "KIV_CANCEL": (line(3, 3, 11, 11) | line(11, 3, 3, 11), RED),
    "KIV_REFRESH": (ring(), BLUE),
}


def glyph_pair(points, colour):
    """The glyph, then the disabled glyph: grey, with a white copy a pixel down and right behind it."""
    rows = [[MAGENTA] * 32 for _ in range(16)]
    for x, y in points:
        rows[y][x] = colour
        if (x + 1, y + 1) not in points and x < 15 and y < 15:
            rows[y + 1][16 + x + 1] = (255, 255, 255)
    for x, y in points:
        rows[y][16 + x] = (128, 128, 128)
    return rows


folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "bilder")
for name, arrow in (("DIR", False), ("FILE", True)):
    for state in (0, 1, 2):
        with open(os.path.join(folder, f"{name}{state}.bmp"), "wb") as f:
            f.write(bitmap(picture(state, arrow)))
for name, (points, colour) in GLYPHS.items():
    with open(os.path.join(folder, f"{name}.bmp"), "wb") as f:
        f.write(bitmap(glyph_pair(points, colour)))
