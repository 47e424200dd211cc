#!/usr/bin/env python3
"""Draws the buttoned edits' 16 x 16 button images into res/bilder/ as 256-colour bitmaps on the
transparent magenta: a folder (DIR) and the folder with a green arrow (FILE), each normal (0),
greyed (1) and brighter for the hot state (2). Run it by hand after changing a picture."""
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
    pixels = b"".join(bytes(line) for line in reversed(index))  # bottom row first, 16 bytes a row
    header = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 8, 0, len(pixels), 2835, 2835, 256, 0)
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


folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "res", "bilder")
for name, arrow in (("DIR", False), ("FILE", True)):
    for state in (0, 1, 2):
        with open(os.path.join(folder, f"{name}{state}.bmp"), "wb") as f:
            f.write(bitmap(picture(state, arrow)))
