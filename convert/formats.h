// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_store.h"
#include "font/russian_count.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <cstdint>
#include <optional>

namespace Glyphery {

// Between formats a font is held as its SpecCHR bytes: 1..64 whole sets of 768 bytes, 8 row
// bytes a character, bit 7 the leftmost pixel. Every format but gph and PNG is made of row
// bytes too, so the font needs no other form; a pixel store would only be filled and emptied.

inline int setCountOf(QByteArrayView font)
{
    return static_cast<int>(font.size() / SetBytes);
}

inline std::uint8_t rowOf(QByteArrayView font, int set, int character, int row)
{
    return static_cast<std::uint8_t>(font[(set * CharsPerSet + character) * GlyphSize + row]);
}

// "1 байт", "3 байта", "5 байт".
inline QString byteCount(qint64 count)
{
    return counted(count, u"байт", u"байта", u"байт");
}

// A reader's answer: the font, or a reason in Russian why there is none. A warning tells of
// characters the file lacks; the font then has paper in their place.
struct FontRead
{
    QByteArray font;
    QString error;
    QString warning;
};

// A writer that can refuse what it is asked for answers with the bytes or the reason; a
// failure of the encoder itself, not of what was asked, is told apart.
struct Encoded
{
    QByteArray bytes;
    QString error;
    bool encoderFailed = false;
};

// The Unicode character the Spectrum shows for a code of 32..127: ASCII but for 94 "↑",
// 96 "£" and 127 "©".
char32_t unicodeOfCode(int code);
// The character a font from elsewhere may have in the place of the Spectrum's own one: "^"
// for "↑", "`" for "£"; 0 when there is none.
char32_t asciiStandIn(int code);

FontRead readSpecChr(QByteArrayView bytes);
// For a file the editor's checkGph accepted.
FontRead readGph(QByteArrayView bytes);
// Tapes are read and written through libspectrum, as TAP or TZX images.
enum class TapeImage { Tap, Tzx };
// block < 0 takes every CODE block whose length is a whole number of sets; otherwise the block
// of that number, counted from 0 as tzxlist lists them.
FontRead readTap(QByteArrayView bytes, int block, TapeImage image = TapeImage::Tap);
FontRead readPsf(QByteArrayView bytes);
FontRead readBdf(QByteArrayView bytes);
FontRead readFzx(QByteArrayView bytes);

// BASIC programs start at 23755 on a Spectrum without Interface 1. Above them lie the loader
// (about 80 bytes), the end of its variables and an empty edit line; the ROM keeps 80 bytes
// free whenever it makes room, and the machine stack lies below the font. From here the
// user's own BASIC keeps more than 1 KB (1024 bytes) beside the loader.
inline constexpr int LowestLoaderAddress = 25000;

struct TapOptions
{
    int address = 64000;
    bool loader = false;
    QString name; // the tape name, cut to 10 characters
    TapeImage image = TapeImage::Tap;
};
Encoded writeTap(QByteArrayView font, const TapOptions &options);
// The BASIC loader of a font at the address, tokenised as it lies in Spectrum memory: one
// line, run from that line.
inline constexpr int LoaderLine = 10;
QByteArray loaderProgram(int address);

// Source text: a line of bytes a character, a label a set (name_1 for the first set of the
// font, as the editor counts them), in the assembler of one of four CPUs; one C array with a
// comment a set; or a Rust constant a set and one for the font. firstSet is the index of the
// font's first set among the sets the font was taken from.
enum class NumberBase { Hex, Decimal, Binary };
enum class Cpu { Z80, X86, M6502, M68k };
QByteArray writeAssembler(QByteArrayView font, const QString &name, int firstSet, NumberBase base,
                          Cpu cpu);
QByteArray writeCHeader(QByteArrayView font, const QString &name, int firstSet);
QByteArray writeRust(QByteArrayView font, const QString &name, int firstSet);

// Fonts of other 8-bit machines, one set each, the Spectrum's characters placed at the machine's
// codes for them. A code with no Spectrum character is blank on writing and passed over on
// reading; a Spectrum character the machine lacks is left as paper, with a warning.
// C64: a load address, then the upper-case and the lower-case character sets as the C64's
// character ROM holds them, by screen code, the second 128 of each the first reversed.
FontRead readC64(QByteArrayView bytes);
QByteArray writeC64(QByteArrayView set);
// Atari 8-bit: 128 characters in the order of the Atari's internal codes.
FontRead readAtari(QByteArrayView bytes);
QByteArray writeAtari(QByteArrayView set);
// Amstrad CPC: a BASIC program as an ASCII file, SYMBOL AFTER 32 and a SYMBOL line a character.
FontRead readCpcBasic(QByteArrayView bytes);
QByteArray writeCpcBasic(QByteArrayView set);

// A raw 8 × 8 font of any number of characters, the first of code `first`; without it, a font of
// 128 or 256 characters starts at code 0.
FontRead readRawFont(QByteArrayView bytes, std::optional<int> first);

// PSF and BDF hold one set.
QByteArray writePsf(QByteArrayView set);
QByteArray writeBdf(QByteArrayView set, const QString &name);
// FZX, the Spectrum's proportional font format, holds one set. Fixed, each character is as
// wide as its cell; proportional, its ink is moved to the left of its cell and it is as wide
// as its ink, one pixel apart, and a character without ink (the space) half a cell.
QByteArray writeFzx(QByteArrayView set, bool proportional);

// A sheet holds each set as a block of cells, 32 × 3, 16 × 6 or 96 × 1, the blocks one under
// another; each pixel of a glyph is a square of scale × scale points, and a line of one point
// may run between the cells. Ink and paper are the colours given, or on reading found from the
// picture (see readPngSheet); a written sheet notes its two colours, so that it always reads
// back, whatever they are.
inline constexpr int MaxPngScale = 16;
// libpng's limit of the width and the height of a picture.
inline constexpr int MaxPngSide = 1000000;
// A colour as 0xAARRGGBB, as Qt's QRgb has it.
using Colour = quint32;
inline constexpr Colour DefaultInk = 0xff000000;
inline constexpr Colour DefaultPaper = 0xffffffff;
struct PngOptions
{
    int scale = 1; // for writing; reading finds it
    std::optional<Colour> ink = {};
    std::optional<Colour> paper = {};
};
// The cell size, the grid and the number of sets are found from the picture; of the sheets
// its size allows, the one of fewest sets whose every pixel is a square of one colour is
// taken. The points fall into two groups by lightness (a see-through point counting as
// darker than black), split halfway between the darkest and the lightest; paper is the group
// that fills most of the cells' borders, or else the more common one. A given ink or paper
// says which group it is; both given, each point is the one it is nearer to.
FontRead readPngSheet(QByteArrayView bytes, const PngOptions &options);
Encoded writePngSheet(QByteArrayView font, const PngOptions &options);
Encoded writePngText(QByteArrayView set, const QString &text, const PngOptions &options);
// A file manager's thumbnail of a set: its characters as 16 × 6 cells, black on white, as
// large as fits the size in whole font pixels, or shrunk smoothly below 128 points.
Encoded writePngThumbnail(QByteArrayView set, int size);
// A colour by its name (black, white, …, as SVG names them) or as #RRGGBB or #AARRGGBB.
std::optional<Colour> colourNamed(const QString &text);
// Pictures are made and read with Qt Gui, which the program loads only when it needs it:
// loading it takes longer than any other whole conversion. An empty text when it is there,
// else why not.
QString pngCodecProblem();

// The codes of a text's lines, split at "\n", or the reason a character has none: the Spectrum
// shows codes 32..127, "↑", "£" and "©" standing also for "^" and "`".
struct TextCodes
{
    QList<QList<int>> lines;
    QString error;
};
TextCodes textCodes(const QString &text);

// A Spectrum screen (.scr): the 6144 bytes of its bitmap as the display reads them, then 768
// attribute bytes, one a cell of 32 × 24. The sheet puts up to 8 sets on it in rows of 32 × 3
// as the PNG sheet does; a text is laid out as PRINT lays it out from the top left, a line
// going on in the next row after 32 characters. Ink and paper are Spectrum colours 0..7.
inline constexpr int ScreenBytes = 6912;
inline constexpr int ScreenSets = 8;
struct ScreenOptions
{
    int ink = 0;
    int paper = 7;
};
Encoded writeScreen(QByteArrayView font, const ScreenOptions &options);
Encoded writeScreenText(QByteArrayView set, const QString &text, const ScreenOptions &options);
// cells is "sheet" for the sheet layout, or the text printed from the top left; the glyphs of
// its characters are taken from their cells. A sheet gives the sets up to the last one with
// ink, since a set of paper alone cannot be told from a row left empty.
inline constexpr QStringView SheetCells = u"sheet";
FontRead readScreen(QByteArrayView bytes, const QString &cells);

// The font a snapshot's program prints with, found through CHARS (23606/23607: the font's
// space lies at CHARS + 256), or the set at the address given.
enum class SnapshotKind { Sna, Z80, Szx };
FontRead readSnapshot(QByteArrayView bytes, SnapshotKind kind, std::optional<int> address);

// A name made of ASCII letters, digits and "_" that starts with a letter and is no keyword
// of C, as labels and C want.
QString identifierFrom(const QString &name);

} // namespace Glyphery
