#!/usr/bin/env python3
"""Draws every picture Glyphery uses and writes them as PNG files.

Each picture is a grid of text, one character per pixel, with a small
legend that maps characters to colours.  A '.' is always a transparent
pixel.  Run from the repository root:

    python3 resources/art/make_pictures.py [OUT_DIR]

The output goes to OUT_DIR, by default resources/pictures/, and is
byte-identical on every run.
"""

import os
import struct
import sys
import zlib

OUT_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                       os.pardir, "pictures")

# Colours shared by the toolbar pictures (RGBA).
BLACK = (0x10, 0x10, 0x10, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF, 0xFF)
LIGHT_GREY = (0xC8, 0xC8, 0xC8, 0xFF)
GREY = (0x90, 0x90, 0x90, 0xFF)
DARK_GREY = (0x58, 0x58, 0x60, 0xFF)
YELLOW = (0xF8, 0xD8, 0x50, 0xFF)
OCHRE = (0xC8, 0x98, 0x28, 0xFF)
BROWN = (0xA8, 0x70, 0x30, 0xFF)
BLUE = (0x30, 0x60, 0xD0, 0xFF)
LIGHT_BLUE = (0x90, 0xB8, 0xF0, 0xFF)
RED = (0xD8, 0x30, 0x30, 0xFF)
GREEN = (0x38, 0xA8, 0x40, 0xFF)
LCD = (0xA8, 0xC8, 0x90, 0xFF)
LCD_INK = (0x30, 0x48, 0x30, 0xFF)
ORANGE = (0xF0, 0x90, 0x30, 0xFF)

# Colours of the program icon, after the bright 8-bit home computer palette.
ICON_OUTLINE = (0x00, 0x00, 0x00, 0xFF)
ICON_FRAME_LIT = (0xFF, 0x30, 0x30, 0xFF)
ICON_FRAME_SHADE = (0xB0, 0x00, 0x00, 0xFF)
ICON_PAPER = (0x00, 0x00, 0xD7, 0xFF)
ICON_GRID = (0x20, 0x20, 0xFF, 0xFF)
ICON_INK = (0xFF, 0xFF, 0x00, 0xFF)
ICON_INK_GRID = (0xD8, 0xC8, 0x00, 0xFF)

TRANSPARENT = (0, 0, 0, 0)


# --------------------------------------------------------------------------
# Toolbar pictures, 16x16.

NEW = ({"k": BLACK, "w": WHITE, "g": LIGHT_GREY}, [
    "................",
    "..kkkkkkkk......",
    "..kwwwwwwkk.....",
    "..kwwwwwwkgk....",
    "..kwwwwwwkggk...",
    "..kwwwwwwkkkkk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kwwwwwwwwwwk..",
    "..kkkkkkkkkkkk..",
    "................",
])

OPEN = ({"k": BLACK, "y": YELLOW, "o": OCHRE}, [
    "................",
    "................",
    ".kkkk...........",
    "kooook..........",
    "kooooookkkkkk...",
    "kooooooooooook..",
    "koookkkkkkkkkkkk",
    "kookyyyyyyyyyyyk",
    "kookyyyyyyyyyyk.",
    "kokyyyyyyyyyyyk.",
    "kokyyyyyyyyyyk..",
    "kkyyyyyyyyyyyk..",
    "kkyyyyyyyyyyk...",
    "kkkkkkkkkkkkk...",
    "................",
    "................",
])

SAVE = ({"k": BLACK, "b": BLUE, "w": WHITE, "d": GREY, "g": LIGHT_GREY,
         "s": DARK_GREY}, [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kbbwwwwwwwwbbk.",
    ".kbbwddddddwbbk.",
    ".kbbwwwwwwwwbbk.",
    ".kbbwddddddwbbk.",
    ".kbbwwwwwwwwbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbbbbbbbbbbbk.",
    ".kbbggggggggbbk.",
    ".kbbgggggssgbbk.",
    ".kbbgggggssgbbk.",
    ".kbbgggggssgbbk.",
    ".kkkkkkkkkkkkkk.",
    "................",
])

CUT = ({"k": BLACK, "g": LIGHT_GREY, "r": RED}, [
    "................",
    "..kk........kk..",
    "..kgk......kgk..",
    "...kgk....kgk...",
    "....kgk..kgk....",
    ".....kgkkgk.....",
    "......kggk......",
    "......kkkk......",
    ".....rrkkrr.....",
    "....rr....rr....",
    "..rrrr....rrrr..",
    ".rr..rr..rr..rr.",
    ".r....r..r....r.",
    ".rr..rr..rr..rr.",
    "..rrrr....rrrr..",
    "................",
])

COPY = ({"k": BLACK, "w": WHITE, "d": GREY}, [
    "kkkkkkkk........",
    "kwwwwwwkk.......",
    "kwwwwwwkwk......",
    "kwddddwkkkk.....",
    "kwwwwkkkkkkkk...",
    "kwddkwwwwwwkk...",
    "kwwwkwwwwwwkwk..",
    "kwddkwddddwkkkk.",
    "kwwwkwwwwwwwwwk.",
    "kwddkwdddddddwk.",
    "kwwwkwwwwwwwwwk.",
    "kkkkkwdddddddwk.",
    "....kwwwwwwwwwk.",
    "....kwdddddddwk.",
    "....kwwwwwwwwwk.",
    "....kkkkkkkkkkk.",
])

PASTE = ({"k": BLACK, "o": BROWN, "g": LIGHT_GREY, "w": WHITE, "d": GREY}, [
    ".....kkkkk......",
    "..kkkkgggkkkk...",
    ".kookgggggkook..",
    ".kookkkkkkkook..",
    ".kooooooooooook.",
    ".kooooooooooook.",
    ".kooookkkkkkkkkk",
    ".kooookwwwwwwwwk",
    ".kooookwddddddwk",
    ".kooookwwwwwwwwk",
    ".kooookwddddddwk",
    ".kooookwwwwwwwwk",
    ".kooookwddddddwk",
    ".kooookwwwwwwwwk",
    ".kooookwwwwwwwwk",
    "..kkkkkkkkkkkkkk",
])

INVERT = ({"k": BLACK, "w": WHITE}, [
    "................",
    ".kkkkkkkkkkkkkk.",
    ".kwwwwwwkkkkkkk.",
    ".kwwwwwwkkkkkkk.",
    ".kwwwwkkwwkkkkk.",
    ".kwwwkkkwwwkkkk.",
    ".kwwkkkkwwwwkkk.",
    ".kwwkkkkwwwwkkk.",
    ".kwwkkkkwwwwkkk.",
    ".kwwkkkkwwwwkkk.",
    ".kwwwkkkwwwkkkk.",
    ".kwwwwkkwwkkkkk.",
    ".kwwwwwwkkkkkkk.",
    ".kwwwwwwkkkkkkk.",
    ".kkkkkkkkkkkkkk.",
    "................",
])

MIRROR_V = ({"k": BLACK, "b": BLUE, "w": WHITE, "r": RED}, [
    "................",
    ".......rr.......",
    ".....k.rr.k.....",
    "....kk....kk....",
    "...kbk.rr.kwk...",
    "..kbbk.rr.kwwk..",
    ".kbbbk....kwwwk.",
    "kbbbbk.rr.kwwwwk",
    "kbbbbk.rr.kwwwwk",
    ".kbbbk....kwwwk.",
    "..kbbk.rr.kwwk..",
    "...kbk.rr.kwk...",
    "....kk....kk....",
    ".....k.rr.k.....",
    ".......rr.......",
    "................",
])

MIRROR_H = ({"k": BLACK, "b": BLUE, "w": WHITE, "r": RED}, [
    ".......kk.......",
    "......kbbk......",
    ".....kbbbbk.....",
    "....kbbbbbbk....",
    "...kbbbbbbbbk...",
    "..kkkkkkkkkkkk..",
    "................",
    ".rr.rr.rr.rr.rr.",
    ".rr.rr.rr.rr.rr.",
    "................",
    "..kkkkkkkkkkkk..",
    "...kwwwwwwwwk...",
    "....kwwwwwwk....",
    ".....kwwwwk.....",
    "......kwwk......",
    ".......kk.......",
])

ROTATE_RIGHT = ({"b": BLUE}, [
    "........b.......",
    "........bb......",
    "........bbb.....",
    "......bbbbbb....",
    "....bbbbbbbb....",
    "...bbb..bbb.....",
    "...bb...bb......",
    "..bb....b...bb..",
    "..bb........bb..",
    "..bb........bb..",
    "..bb........bb..",
    "...bb......bb...",
    "...bbb....bbb...",
    "....bbbbbbbb....",
    "......bbbb......",
    "................",
])

SHIFT_UP = ({"k": BLACK, "n": GREEN}, [
    "................",
    ".......kk.......",
    "......knnk......",
    ".....knnnnk.....",
    "....knnnnnnk....",
    "...knnnnnnnnk...",
    "..knnnnnnnnnnk..",
    "..kkkknnnnkkkk..",
    ".....knnnnk.....",
    ".....knnnnk.....",
    ".....knnnnk.....",
    ".....knnnnk.....",
    ".....knnnnk.....",
    ".....knnnnk.....",
    ".....kkkkkk.....",
    "................",
])

SHIFT_LEFT = ({"k": BLACK, "n": GREEN}, [
    "................",
    "................",
    "......kk........",
    ".....knk........",
    "....knnk........",
    "...knnnkkkkkkkk.",
    "..knnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    ".knnnnnnnnnnnnk.",
    "..knnnnnnnnnnnk.",
    "...knnnkkkkkkkk.",
    "....knnk........",
    ".....knk........",
    "......kk........",
    "................",
    "................",
])

CALCULATOR = ({"k": BLACK, "s": DARK_GREY, "e": LCD, "i": LCD_INK,
               "w": LIGHT_GREY, "o": ORANGE}, [
    "..kkkkkkkkkkkk..",
    "..kssssssssssk..",
    "..kskkkkkkkksk..",
    "..kskeeeieiksk..",
    "..kskeeeieiksk..",
    "..kskkkkkkkksk..",
    "..kssssssssssk..",
    "..kswwswwsoosk..",
    "..kswwswwsoosk..",
    "..kssssssssssk..",
    "..kswwswwswwsk..",
    "..kswwswwswwsk..",
    "..kssssssssssk..",
    "..kswwswwswwsk..",
    "..kswwswwswwsk..",
    "..kkkkkkkkkkkk..",
])


# --------------------------------------------------------------------------
# Pictures that show the opposite of another are its reflection, so that a pair
# cannot drift apart.

def mirrored(art):
    """The art reflected left to right."""
    legend, grid = art
    return legend, [line[::-1] for line in grid]


def flipped(art):
    """The art reflected top to bottom."""
    legend, grid = art
    return legend, grid[::-1]


ROTATE_LEFT = mirrored(ROTATE_RIGHT)
SHIFT_DOWN = flipped(SHIFT_UP)
SHIFT_RIGHT = mirrored(SHIFT_LEFT)


# --------------------------------------------------------------------------
# The program icon: a letter on a little screen.

ICON_LEGEND = {"k": ICON_OUTLINE, "R": ICON_FRAME_LIT, "m": ICON_FRAME_SHADE,
               "p": ICON_PAPER, "q": ICON_GRID, "y": ICON_INK,
               "Y": ICON_INK_GRID}

ICON_16 = (ICON_LEGEND, [
    ".kkkkkkkkkkkkkk.",
    "kRRRRRRRRRRRRRmk",
    "kRRRRRRRRRRRRmmk",
    "kRRppppppppppmmk",
    "kRRppyyyyyyppmmk",
    "kRRpyyyyyyyypmmk",
    "kRRpyyppppyypmmk",
    "kRRpyypppppppmmk",
    "kRRpyyppyyyypmmk",
    "kRRpyyppppyypmmk",
    "kRRpyyyyyyyypmmk",
    "kRRppyyyyyyppmmk",
    "kRRppppppppppmmk",
    "kRmmmmmmmmmmmmmk",
    "kmmmmmmmmmmmmmmk",
    ".kkkkkkkkkkkkkk.",
])

# The 48 pixel version shows the letter on an editing grid.
ICON_48 = (ICON_LEGEND, [
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    ".kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRk.",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmk",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmk",
    "kRRRpppppppppppppppppppppppppppppppppppppppmmmmk",
    "kRRRpppppppppppppppppppppppppppppppppppppppmmmmk",
    "kRRRpppppppppppppppppppppppppppppppppppppppmmmmk",
    "kRRRpppqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppmmmmk",
    "kRRRpppqpppqyyyYyyyYyyyYyyyYyyyYyyyqpppqpppmmmmk",
    "kRRRpppqpppqyyyYyyyYyyyYyyyYyyyYyyyqpppqpppmmmmk",
    "kRRRpppqpppqyyyYyyyYyyyYyyyYyyyYyyyqpppqpppmmmmk",
    "kRRRpppqqqqqYYYYYYYYYYYYYYYYYYYYYYYqqqqqpppmmmmk",
    "kRRRpppqyyyYyyyYyyyYyyyYyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyYyyyYyyyYyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyYyyyYyyyYyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqYYYYYYYqqqqqqqqqqqqqqqqqYYYYYYYqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqyyyYyyyqpppmmmmk",
    "kRRRpppqYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqpppqpppqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqpppqpppqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqpppqpppqpppmmmmk",
    "kRRRpppqYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqYYYYYYYqqqqqqqqqqqqqqqqqYYYYYYYqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyqpppqpppqpppqpppqyyyYyyyqpppmmmmk",
    "kRRRpppqYYYYYYYqqqqqqqqqqqqqqqqqYYYYYYYqpppmmmmk",
    "kRRRpppqyyyYyyyYyyyYyyyYyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyYyyyYyyyYyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqyyyYyyyYyyyYyyyYyyyYyyyYyyyYyyyqpppmmmmk",
    "kRRRpppqqqqqYYYYYYYYYYYYYYYYYYYYYYYqqqqqpppmmmmk",
    "kRRRpppqpppqyyyYyyyYyyyYyyyYyyyYyyyqpppqpppmmmmk",
    "kRRRpppqpppqyyyYyyyYyyyYyyyYyyyYyyyqpppqpppmmmmk",
    "kRRRpppqpppqyyyYyyyYyyyYyyyYyyyYyyyqpppqpppmmmmk",
    "kRRRpppqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppmmmmk",
    "kRRRpppppppppppppppppppppppppppppppppppppppmmmmk",
    "kRRRpppppppppppppppppppppppppppppppppppppppmmmmk",
    "kRRRpppppppppppppppppppppppppppppppppppppppmmmmk",
    "kRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    ".kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk.",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
])


# --------------------------------------------------------------------------
# What gets written: file name, art, scale factor, transparent margin.

PICTURES = [
    ("new.png", NEW, 1, 0),
    ("open.png", OPEN, 1, 0),
    ("save.png", SAVE, 1, 0),
    ("cut.png", CUT, 1, 0),
    ("copy.png", COPY, 1, 0),
    ("paste.png", PASTE, 1, 0),
    ("inv.png", INVERT, 1, 0),
    ("mv.png", MIRROR_V, 1, 0),
    ("mg.png", MIRROR_H, 1, 0),
    ("rr.png", ROTATE_RIGHT, 1, 0),
    ("rl.png", ROTATE_LEFT, 1, 0),
    ("up.png", SHIFT_UP, 1, 0),
    ("down.png", SHIFT_DOWN, 1, 0),
    ("left.png", SHIFT_LEFT, 1, 0),
    ("right.png", SHIFT_RIGHT, 1, 0),
    ("calc.png", CALCULATOR, 1, 0),
    ("glyphery-16.png", ICON_16, 1, 0),
    ("glyphery-32.png", ICON_16, 2, 0),
    ("glyphery-48.png", ICON_48, 1, 0),
    ("glyphery-256.png", ICON_48, 5, 8),   # 48 * 5 + 2 * 8 = 256
    ("about.png", ICON_48, 1, 0),
]


def write_png(path, pixels):
    """Write pixels (rows of (r, g, b, a) tuples) as an 8-bit RGBA PNG."""
    height = len(pixels)
    width = len(pixels[0])
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # filter type: none
        for rgba in row:
            raw.extend(rgba)

    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body +
                struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        f.write(chunk(b"IEND", b""))


def render(art, scale, margin):
    """Turn a text grid into rows of RGBA pixels, scaled and padded."""
    legend, grid = art
    width = len(grid[0])
    for line in grid:
        if len(line) != width:
            raise ValueError("ragged grid row: %r" % line)
    rows = []
    blank = [TRANSPARENT] * (width * scale + 2 * margin)
    rows.extend(list(blank) for _ in range(margin))
    for line in grid:
        row = [TRANSPARENT] * margin
        for ch in line:
            rgba = TRANSPARENT if ch == "." else legend[ch]
            row.extend([rgba] * scale)
        row.extend([TRANSPARENT] * margin)
        rows.extend(list(row) for _ in range(scale))
    rows.extend(list(blank) for _ in range(margin))
    return rows


def main(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for name, art, scale, margin in PICTURES:
        write_png(os.path.join(out_dir, name), render(art, scale, margin))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else OUT_DIR)
