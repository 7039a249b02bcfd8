#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
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
# Shades that the double-size toolbar pictures add for light and depth.
PALE_GREY = (0xE4, 0xE4, 0xE4, 0xFF)
PALE_YELLOW = (0xFC, 0xEC, 0xA0, 0xFF)
DARK_OCHRE = (0x98, 0x70, 0x18, 0xFF)
DARK_BLUE = (0x20, 0x40, 0x98, 0xFF)
DARK_RED = (0x98, 0x18, 0x18, 0xFF)
LIGHT_GREEN = (0x70, 0xC8, 0x68, 0xFF)
DARK_GREEN = (0x20, 0x78, 0x28, 0xFF)
LIGHT_BROWN = (0xC8, 0x90, 0x50, 0xFF)
DARK_BROWN = (0x78, 0x48, 0x18, 0xFF)
PALE_ORANGE = (0xF8, 0xC0, 0x80, 0xFF)
DARK_ORANGE = (0xB8, 0x60, 0x18, 0xFF)
LCD_SHADE = (0x90, 0xB0, 0x78, 0xFF)

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
# Toolbar pictures, 16x16, each followed by its double-size version: the same
# shapes with one pixel outlines, a light from the top left and finer detail.

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

NEW_2X = ({"k": BLACK, "w": WHITE, "g": LIGHT_GREY, "e": PALE_GREY}, [
    "................................",
    "................................",
    "....kkkkkkkkkkkkkkkk............",
    "....kwwwwwwwwwwwwwwkk...........",
    "....kwwwwwwwwwwwwwwkek..........",
    "....kwwwwwwwwwwwwwwkgek.........",
    "....kwwwwwwwwwwwwwwkggek........",
    "....kwwwwwwwwwwwwwwkgggek.......",
    "....kwwwwwwwwwwwwwwkggggek......",
    "....kwwwwwwwwwwwwwwkgggggek.....",
    "....kwwwwwwwwwwwwwwkkkkkkkkk....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kwwwwwwwwwwwwwwwwwwwwwek....",
    "....kweeeeeeeeeeeeeeeeeeeeek....",
    "....kkkkkkkkkkkkkkkkkkkkkkkk....",
    "................................",
    "................................",
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

OPEN_2X = ({"k": BLACK, "y": YELLOW, "o": OCHRE, "O": DARK_OCHRE,
            "P": PALE_YELLOW}, [
    "................................",
    "................................",
    "................................",
    "................................",
    "..kkkkkkkk......................",
    ".kyyyyyyyyk.....................",
    "kyoooooooook....................",
    "kyooooooooook...................",
    "kyoooooooooookkkkkkkkkkkkk......",
    "kyoooooooooooyyyyyyyyyyyyyk.....",
    "kyoooooooooooooooooooooooook....",
    "kyooooooOOOOOOOOOOOOOOOOOOOk....",
    "kyooooookkkkkkkkkkkkkkkkkkkkkkkk",
    "kyooooookPPPPPPPPPPPPPPPPPPPPPPk",
    "kyoooookPyyyyyyyyyyyyyyyyyyyyyyk",
    "kyoooookPyyyyyyyyyyyyyyyyyyyyyk.",
    "kyooookPyyyyyyyyyyyyyyyyyyyyyyk.",
    "kyooookPyyyyyyyyyyyyyyyyyyyyyk..",
    "kyoookPyyyyyyyyyyyyyyyyyyyyyyk..",
    "kyoookPyyyyyyyyyyyyyyyyyyyyyk...",
    "kyookPyyyyyyyyyyyyyyyyyyyyyyk...",
    "kyookPyyyyyyyyyyyyyyyyyyyyyk....",
    "kyokPyyyyyyyyyyyyyyyyyyyyyyk....",
    "kyokPyyyyyyyyyyyyyyyyyyyyyk.....",
    "kykPyyyyyyyyyyyyyyyyyyyyyyk.....",
    "kykPyyyyyyyyyyyyyyyyyyyyyk......",
    "kkoooooooooooooooooooooook......",
    "kkkkkkkkkkkkkkkkkkkkkkkkkk......",
    "................................",
    "................................",
    "................................",
    "................................",
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

SAVE_2X = ({"k": BLACK, "b": BLUE, "L": LIGHT_BLUE, "B": DARK_BLUE, "w": WHITE,
            "d": GREY, "g": LIGHT_GREY, "s": DARK_GREY}, [
    "................................",
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "..kLLLLLwwwwwwwwwwwwwwwwBLLLbk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbwwddddddddddddwwBbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbwwddddddddddddwwBbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbwwdddddddwwwwwwwBbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwBbbbBk..",
    "..kLbbbbBBBBBBBBBBBBBBBBBbbbBk..",
    "..kLbbbbbbbbbbbbbbbbbbbbbbbbBk..",
    "..kLbbbbbbbbbbbbbbbbbbbbbbbbBk..",
    "..kLbbbbbbbbbbbbbbbbbbbbbbbbBk..",
    "..kLbbbbbbbbbbbbbbbbbbbbbbbbBk..",
    "..kLbbbbwwwwwwwwwwwwwwwwbbbbBk..",
    "..kLbbbbwggggggggggggggdbbbbBk..",
    "..kLbbbbwgggggggggsssggdbbbbBk..",
    "..kLbbbbwgggggggggsssggdbbbbBk..",
    "..kLbbbbwgggggggggsssggdbbbbBk..",
    "..kLbbbbwgggggggggsssggdbbbbBk..",
    "..kLbbbbwgggggggggsssggdbbbbBk..",
    "..kLbbbbwgggggggggsssggdbbbbBk..",
    "..kLbbbbwgggggggggwwwggdbbbbBk..",
    "..kbBBBBwggggggggggggggdBBBBBk..",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "................................",
    "................................",
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

CUT_2X = ({"k": BLACK, "g": LIGHT_GREY, "w": WHITE, "d": GREY, "r": RED,
           "R": DARK_RED}, [
    "................................",
    "................................",
    "...kk......................kk...",
    "...kwk....................kwk...",
    "...kwgk..................kgwk...",
    "....kwgk................kgwk....",
    ".....kwggk............kggwk.....",
    "......kwggk..........kggwk......",
    ".......kwggk........kggwk.......",
    "........kwgggk....kgggwk........",
    ".........kwgggk..kgggwk.........",
    "..........kwgggkkgggwk..........",
    "...........kwgkkkkgwk...........",
    "............kkkkkkkk............",
    "............kkkddkkk............",
    "...........rkkkddkkkr...........",
    "..........rrkkkkkkkkrr..........",
    ".........rrr.kkkkkk.rrr.........",
    ".........rrr........rrr.........",
    ".....rrrrrrr........rrrrrrr.....",
    "...rrrrrrrrr........rrrrrrrrr...",
    "..rrrRRRRrrr........rrrRRRRrrr..",
    ".rrrR....Rrrr......rrrR....Rrrr.",
    ".rrR......Rrr......rrR......Rrr.",
    ".rrr......rrr......rrr......rrr.",
    ".rrr......rrr......rrr......rrr.",
    ".rrrr....rrrR......Rrrr....rrrr.",
    "..RrrrrrrrrR........RrrrrrrrrR..",
    "...RRrrrrRR..........RRrrrrRR...",
    ".....RRRR..............RRRR.....",
    "................................",
    "................................",
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

COPY_2X = ({"k": BLACK, "w": WHITE, "d": GREY, "g": LIGHT_GREY,
            "e": PALE_GREY}, [
    "kkkkkkkkkkkkkkk.................",
    "kwwwwwwwwwwwwwkk................",
    "kwwwwwwwwwwwwwkek...............",
    "kwwwwwwwwwwwwwkgek..............",
    "kwwwwwwwwwwwwwkggek.............",
    "kwwwwwwwwwwwwwkgggek............",
    "kwwddddwdddddwkggggek...........",
    "kwwwwwwwwwwwwwkkkkkkkk..........",
    "kwwwwwwwkkkkkkkkkkkkkkk.........",
    "kwwwwwwwkwwwwwwwwwwwwwkk........",
    "kwwdddddkwwwwwwwwwwwwwkek.......",
    "kwwwwwwwkwwwwwwwwwwwwwkgek......",
    "kwwwwwwwkwwwwwwwwwwwwwkggek.....",
    "kwwwwwwwkwwwwwwwwwwwwwkgggek....",
    "kwwdddddkwwdddwdddddwwkggggek...",
    "kwwwwwwwkwwwwwwwwwwwwwkkkkkkkk..",
    "kwwwwwwwkwwwwwwwwwwwwwwwwwwwek..",
    "kwwwwwwwkwwwwwwwwwwwwwwwwwwwek..",
    "kwwdddddkwwdddddwdddwddddddwek..",
    "kwwwwwwwkwwwwwwwwwwwwwwwwwwwek..",
    "kwwwwwwwkwwwwwwwwwwwwwwwwwwwek..",
    "kwwwwwwwkwwwwwwwwwwwwwwwwwwwek..",
    "keeeeeeekwwdddwdddddddwddddwek..",
    "kkkkkkkkkwwwwwwwwwwwwwwwwwwwek..",
    "........kwwwwwwwwwwwwwwwwwwwek..",
    "........kwwwwwwwwwwwwwwwwwwwek..",
    "........kwwddddddwddddwwwwwwek..",
    "........kwwwwwwwwwwwwwwwwwwwek..",
    "........kwwwwwwwwwwwwwwwwwwwek..",
    "........kwwwwwwwwwwwwwwwwwwwek..",
    "........keeeeeeeeeeeeeeeeeeeek..",
    "........kkkkkkkkkkkkkkkkkkkkkk..",
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

PASTE_2X = ({"k": BLACK, "o": BROWN, "l": LIGHT_BROWN, "D": DARK_BROWN,
             "g": LIGHT_GREY, "w": WHITE, "d": GREY, "s": DARK_GREY,
             "e": PALE_GREY}, [
    "...........kkkkkkkkkk...........",
    "...........kwwwwwwwwk...........",
    ".......kkkkkwgssssgdkkkkk.......",
    "...kkkkkwwwwwggggggdwwwwkkkkk...",
    "..kllllkggggggggggggggggklllDk..",
    "..kloookggggggggggggggggkoooDk..",
    "..kloookddddddddddddddddkoooDk..",
    "..kloookkkkkkkkkkkkkkkkkkoooDk..",
    "..klooooooooooooooooooooooooDk..",
    "..klooooooooooooooooooooooooDk..",
    "..klooooooooooooooooooooooooDk..",
    "..klooooooooooooooooooooooooDk..",
    "..klooooooookkkkkkkkkkkkkkkkkkkk",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwddddwddddddwdddek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwddddddwdddddddwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwdddwdddddwdddddek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..klooooooookwwdddddddwdddwwwwek",
    "..klooooooookwwwwwwwwwwwwwwwwwek",
    "..kDDDDDDDDDkeeeeeeeeeeeeeeeeeek",
    "...kkkkkkkkkkkkkkkkkkkkkkkkkkkkk",
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

INVERT_2X = ({"k": BLACK, "w": WHITE}, [
    "................................",
    "................................",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwkkkwwwkkkkkkkkkkk..",
    "..kwwwwwwwwkkkkkwwwwwkkkkkkkkk..",
    "..kwwwwwwwkkkkkkwwwwwwkkkkkkkk..",
    "..kwwwwwwkkkkkkkwwwwwwwkkkkkkk..",
    "..kwwwwwwkkkkkkkwwwwwwwkkkkkkk..",
    "..kwwwwwkkkkkkkkwwwwwwwwkkkkkk..",
    "..kwwwwwkkkkkkkkwwwwwwwwkkkkkk..",
    "..kwwwwwkkkkkkkkwwwwwwwwkkkkkk..",
    "..kwwwwwkkkkkkkkwwwwwwwwkkkkkk..",
    "..kwwwwwkkkkkkkkwwwwwwwwkkkkkk..",
    "..kwwwwwkkkkkkkkwwwwwwwwkkkkkk..",
    "..kwwwwwwkkkkkkkwwwwwwwkkkkkkk..",
    "..kwwwwwwkkkkkkkwwwwwwwkkkkkkk..",
    "..kwwwwwwwkkkkkkwwwwwwkkkkkkkk..",
    "..kwwwwwwwwkkkkkwwwwwkkkkkkkkk..",
    "..kwwwwwwwwwwkkkwwwkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kwwwwwwwwwwwwwkkkkkkkkkkkkkk..",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    "................................",
    "................................",
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

MIRROR_V_2X = ({"k": BLACK, "b": BLUE, "L": LIGHT_BLUE, "B": DARK_BLUE,
                "w": WHITE, "e": PALE_GREY, "r": RED}, [
    "................................",
    "................................",
    "...............rr...............",
    "..............rrrr..............",
    "...........k..rrrr..k...........",
    "..........kk...rr...kk..........",
    ".........kLk........kwk.........",
    "........kLbk........kwwk........",
    ".......kLbbk...rr...kwwwk.......",
    "......kLbbbk..rrrr..kwwwwk......",
    ".....kLbbbbk..rrrr..kwwwwwk.....",
    "....kLbbbbbk...rr...kwwwwwwk....",
    "...kLbbbbbbk........kwwwwwwwk...",
    "..kLbbbbbbbk........kwwwwwwwwk..",
    ".kLbbbbbbbbk...rr...kwwwwwwwwwk.",
    "kLbbbbbbbbbk..rrrr..kwwwwwwwwwwk",
    "kBbbbbbbbbbk..rrrr..kwwwwwwwwwek",
    ".kBbbbbbbbbk...rr...kwwwwwwwwek.",
    "..kBbbbbbbbk........kwwwwwwwek..",
    "...kBbbbbbbk........kwwwwwwek...",
    "....kBbbbbbk...rr...kwwwwwek....",
    ".....kBbbbbk..rrrr..kwwwwek.....",
    "......kBbbbk..rrrr..kwwwek......",
    ".......kBbbk...rr...kwwek.......",
    "........kBbk........kwek........",
    ".........kBk........kek.........",
    "..........kk...rr...kk..........",
    "...........k..rrrr..k...........",
    "..............rrrr..............",
    "...............rr...............",
    "................................",
    "................................",
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

ROTATE_RIGHT_2X = ({"b": BLUE}, [
    "................b...............",
    "................bb..............",
    "................bbb.............",
    "................bbbb............",
    "................bbbbb...........",
    "................bbbbbb..........",
    ".............bbbbbbbbbb.........",
    "..........bbbbbbbbbbbbbb........",
    ".........bbbbbbbbbbbbbbb........",
    "........bbbbbbbbbbbbbbb.........",
    ".......bbbbbb...bbbbbb..........",
    "......bbbbb.....bbbbb...........",
    ".....bbbbb......bbbb............",
    ".....bbbb.......bbb.............",
    ".....bbbb.......bb..............",
    "....bbbb........b.......bbbb....",
    "....bbbb................bbbb....",
    "....bbbb................bbbb....",
    "....bbbb................bbbb....",
    "....bbbb................bbbb....",
    "....bbbb................bbbb....",
    ".....bbbb..............bbbb.....",
    ".....bbbb..............bbbb.....",
    ".....bbbbb............bbbbb.....",
    "......bbbbb..........bbbbb......",
    ".......bbbbbb......bbbbbb.......",
    "........bbbbbbbbbbbbbbbb........",
    ".........bbbbbbbbbbbbbb.........",
    "..........bbbbbbbbbbbb..........",
    ".............bbbbbb.............",
    "................................",
    "................................",
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

SHIFT_UP_2X = ({"k": BLACK, "n": GREEN, "l": LIGHT_GREEN, "N": DARK_GREEN}, [
    "................................",
    "................................",
    "...............kk...............",
    "..............klNk..............",
    ".............klnnNk.............",
    "............klnnnnNk............",
    "...........klnnnnnnNk...........",
    "..........klnnnnnnnnNk..........",
    ".........klnnnnnnnnnnNk.........",
    "........klnnnnnnnnnnnnNk........",
    ".......klnnnnnnnnnnnnnnNk.......",
    "......klnnnnnnnnnnnnnnnnNk......",
    ".....klnnnnnnnnnnnnnnnnnnNk.....",
    "....klnnnnnnnnnnnnnnnnnnnnNk....",
    "....kkkkkkklnnnnnnnnNkkkkkkk....",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........klnnnnnnnnNk..........",
    "..........kkkkkkkkkkkk..........",
    "................................",
    "................................",
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

CALCULATOR_2X = ({"k": BLACK, "s": DARK_GREY, "d": GREY, "e": LCD,
                  "E": LCD_SHADE, "i": LCD_INK, "w": WHITE, "g": LIGHT_GREY,
                  "o": ORANGE, "P": PALE_ORANGE, "O": DARK_ORANGE}, [
    "....kkkkkkkkkkkkkkkkkkkkkkkk....",
    "....kdddddddddddddddddddddsk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsskkkkkkkkkkkkkkkksssk....",
    "....kdsskEEEEEEEEEEEEEEksssk....",
    "....kdsskeeeeiiieiiieeeksssk....",
    "....kdsskeeeeeeieeeieeeksssk....",
    "....kdsskeeeeiiieiiieeeksssk....",
    "....kdsskeeeeieeeeeieeeksssk....",
    "....kdsskeeeeiiieiiieieksssk....",
    "....kdsskeeeeeeeeeeeeeeksssk....",
    "....kdsskkkkkkkkkkkkkkkksssk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsswwwgsswwwgssPPPosssk....",
    "....kdsswggdsswggdssPooOsssk....",
    "....kdsswggdsswggdssPooOsssk....",
    "....kdssgdddssgdddssoOOOsssk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsswwwgsswwwgsswwwgsssk....",
    "....kdsswggdsswggdsswggdsssk....",
    "....kdsswggdsswggdsswggdsssk....",
    "....kdssgdddssgdddssgdddsssk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsssssssssssssssssssssk....",
    "....kdsswwwgsswwwgsswwwgsssk....",
    "....kdsswggdsswggdsswggdsssk....",
    "....kdsswggdsswggdsswggdsssk....",
    "....kdssgdddssgdddssgdddsssk....",
    "....kssssssssssssssssssssssk....",
    "....kkkkkkkkkkkkkkkkkkkkkkkk....",
])


# --------------------------------------------------------------------------
# Pictures that show the opposite or the turn of another are its reflection, so
# that a pair cannot drift apart.  The double-size originals are lit only along the axis
# their reflection keeps (the up arrow from the left, the left arrow from the
# top), so the reflected pictures are lit from the top left too.

def mirrored(art):
    """The art reflected left to right."""
    legend, grid = art
    return legend, [line[::-1] for line in grid]


def flipped(art):
    """The art reflected top to bottom."""
    legend, grid = art
    return legend, grid[::-1]


def transposed(art):
    """The art reflected in its diagonal from the top left, which keeps top-left light."""
    legend, grid = art
    return legend, ["".join(line[i] for line in grid) for i in range(len(grid[0]))]


MIRROR_H = transposed(MIRROR_V)
MIRROR_H_2X = transposed(MIRROR_V_2X)
SHIFT_LEFT = transposed(SHIFT_UP)
SHIFT_LEFT_2X = transposed(SHIFT_UP_2X)
ROTATE_LEFT = mirrored(ROTATE_RIGHT)
ROTATE_LEFT_2X = mirrored(ROTATE_RIGHT_2X)
SHIFT_DOWN = flipped(SHIFT_UP)
SHIFT_DOWN_2X = flipped(SHIFT_UP_2X)
SHIFT_RIGHT = mirrored(SHIFT_LEFT)
SHIFT_RIGHT_2X = mirrored(SHIFT_LEFT_2X)


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

# At 32 pixels the letter lies on a grid of faint lines, but stays solid so
# that it reads as clearly as on the 16 pixel icon.
ICON_32 = (ICON_LEGEND, [
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
    ".kRRRRRRRRRRRRRRRRRRRRRRRRRRRRk.",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmk",
    "kRRpppppppppppppppppppppppppmmmk",
    "kRRpppqyyyyyyyyyyyyyyyyyqpppmmmk",
    "kRRpppqyyyyyyyyyyyyyyyyyqpppmmmk",
    "kRRpqqqyyyyyyyyyyyyyyyyyqqqpmmmk",
    "kRRpyyyyyyyyyyyyyyyyyyyyyyypmmmk",
    "kRRpyyyyyyyyyyyyyyyyyyyyyyypmmmk",
    "kRRpyyyyyqqqqqqqqqqqqqyyyyypmmmk",
    "kRRpyyyyyqppqppqppqppqyyyyypmmmk",
    "kRRpyyyyyqppqppqppqppqyyyyypmmmk",
    "kRRpyyyyyqqqqqqqqqqqqqqqqqqpmmmk",
    "kRRpyyyyyqppqppqppqppqppqpppmmmk",
    "kRRpyyyyyqppqppqppqppqppqpppmmmk",
    "kRRpyyyyyqqqqqqqqqqqqqqqqqqpmmmk",
    "kRRpyyyyyqppqppqyyyyyyyyyyypmmmk",
    "kRRpyyyyyqppqppqyyyyyyyyyyypmmmk",
    "kRRpyyyyyqqqqqqqqqqqqqyyyyypmmmk",
    "kRRpyyyyyqppqppqppqppqyyyyypmmmk",
    "kRRpyyyyyqppqppqppqppqyyyyypmmmk",
    "kRRpyyyyyqqqqqqqqqqqqqyyyyypmmmk",
    "kRRpyyyyyyyyyyyyyyyyyyyyyyypmmmk",
    "kRRpyyyyyyyyyyyyyyyyyyyyyyypmmmk",
    "kRRpqqqyyyyyyyyyyyyyyyyyqqqpmmmk",
    "kRRpppqyyyyyyyyyyyyyyyyyqpppmmmk",
    "kRRpppqyyyyyyyyyyyyyyyyyqpppmmmk",
    "kRRpppppppppppppppppppppppppmmmk",
    "kRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    ".kmmmmmmmmmmmmmmmmmmmmmmmmmmmmk.",
    "..kkkkkkkkkkkkkkkkkkkkkkkkkkkk..",
])

# The 32 pixel icon at double density.
ICON_64 = (ICON_LEGEND, [
    "...kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk...",
    "..kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRk..",
    ".kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmk.",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmk",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmmk",
    "kRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmk",
    "kRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmk",
    "kRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRpppqqqqqqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqqqqqqpppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqqqqqqqqqqqqqqqqqqqqqqqqqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqpppppqppppppppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqpppppqppppppppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqpppppqppppppppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqpppppqppppppppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqpppppqppppppppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqqqqqqqqqqqqqqqqqqqqqqqqqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqpppppqpppppqpppppqpppppqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyqqqqqqqqqqqqqqqqqqqqqqqqqyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyypppmmmmmk",
    "kRRRRpppqqqqqqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqqqqqqpppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRppppppppqyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyyqppppppppmmmmmk",
    "kRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmk",
    "kRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmk",
    "kRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmk",
    "kRRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    ".kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk.",
    "..kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk..",
    "...kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk...",
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

# The 48 pixel icon at double density: frame, margin and cells twice as
# large, grid lines and outline still one pixel wide.
ICON_96 = (ICON_LEGEND, [
    "....kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk....",
    "...kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRk...",
    "..kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRk..",
    ".kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmk.",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmmk",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmmmk",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmmmmk",
    "kRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRRmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqqqqqqqqqYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYqqqqqqqqqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqYYYYYYYYYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqYYYYYYYYYYYYYYYqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqYYYYYYYYYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqYYYYYYYYYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqYYYYYYYYYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqYYYYYYYYYYYYYYYqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyqpppppppqpppppppqpppppppqpppppppqyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqYYYYYYYYYYYYYYYqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqYYYYYYYYYYYYYYYqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqqqqqqqqqYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYYqqqqqqqqqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqpppppppqyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyYyyyyyyyqpppppppqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqqpppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRpppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppppmmmmmmmmk",
    "kRRRRRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRRRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    "kRRRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk",
    ".kRmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk.",
    "..kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk..",
    "...kmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmmk...",
    "....kkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkkk....",
])


# --------------------------------------------------------------------------
# What gets written: file name, art, scale factor, transparent margin.
# Qt draws name@2x.png in place of name.png at a device pixel ratio of 2, so
# each @2x picture is twice the size of its partner.

PICTURES = [
    ("new.png", NEW, 1, 0),
    ("new@2x.png", NEW_2X, 1, 0),
    ("open.png", OPEN, 1, 0),
    ("open@2x.png", OPEN_2X, 1, 0),
    ("save.png", SAVE, 1, 0),
    ("save@2x.png", SAVE_2X, 1, 0),
    ("cut.png", CUT, 1, 0),
    ("cut@2x.png", CUT_2X, 1, 0),
    ("copy.png", COPY, 1, 0),
    ("copy@2x.png", COPY_2X, 1, 0),
    ("paste.png", PASTE, 1, 0),
    ("paste@2x.png", PASTE_2X, 1, 0),
    ("inv.png", INVERT, 1, 0),
    ("inv@2x.png", INVERT_2X, 1, 0),
    ("mv.png", MIRROR_V, 1, 0),
    ("mv@2x.png", MIRROR_V_2X, 1, 0),
    ("mg.png", MIRROR_H, 1, 0),
    ("mg@2x.png", MIRROR_H_2X, 1, 0),
    ("rr.png", ROTATE_RIGHT, 1, 0),
    ("rr@2x.png", ROTATE_RIGHT_2X, 1, 0),
    ("rl.png", ROTATE_LEFT, 1, 0),
    ("rl@2x.png", ROTATE_LEFT_2X, 1, 0),
    ("up.png", SHIFT_UP, 1, 0),
    ("up@2x.png", SHIFT_UP_2X, 1, 0),
    ("down.png", SHIFT_DOWN, 1, 0),
    ("down@2x.png", SHIFT_DOWN_2X, 1, 0),
    ("left.png", SHIFT_LEFT, 1, 0),
    ("left@2x.png", SHIFT_LEFT_2X, 1, 0),
    ("right.png", SHIFT_RIGHT, 1, 0),
    ("right@2x.png", SHIFT_RIGHT_2X, 1, 0),
    ("calc.png", CALCULATOR, 1, 0),
    ("calc@2x.png", CALCULATOR_2X, 1, 0),
    # One drawing for every 32 pixel square, whether the desktop asks for the
    # 32 pixel icon or for the 16 pixel one at double density.
    ("glyphery-16.png", ICON_16, 1, 0),
    ("glyphery-16@2x.png", ICON_32, 1, 0),
    ("glyphery-32.png", ICON_32, 1, 0),
    ("glyphery-32@2x.png", ICON_64, 1, 0),
    ("glyphery-48.png", ICON_48, 1, 0),
    ("glyphery-48@2x.png", ICON_96, 1, 0),
    ("glyphery-256.png", ICON_48, 5, 8),   # 48 * 5 + 2 * 8 = 256
    ("glyphery-256@2x.png", ICON_96, 5, 16),  # 96 * 5 + 2 * 16 = 512
    ("about.png", ICON_48, 1, 0),
    ("about@2x.png", ICON_96, 1, 0),
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


def check_doubles(pictures):
    """Refuse an @2x picture that is not twice the size of its partner."""
    for name, pixels in pictures.items():
        if "@2x." not in name:
            continue
        single = pictures.get(name.replace("@2x.", "."))
        if single is None:
            raise ValueError("%s has no partner" % name)
        if (len(pixels[0]), len(pixels)) != (2 * len(single[0]), 2 * len(single)):
            raise ValueError("%s is not twice the size of its partner" % name)


def main(out_dir):
    # Everything is drawn and checked before the first file is written, so that
    # a mistake in one picture leaves the folder as it was.
    pictures = {name: render(art, scale, margin)
                for name, art, scale, margin in PICTURES}
    check_doubles(pictures)
    os.makedirs(out_dir, exist_ok=True)
    for name, pixels in pictures.items():
        write_png(os.path.join(out_dir, name), pixels)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else OUT_DIR)
