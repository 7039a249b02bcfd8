// SPDX-License-Identifier: GPL-3.0-or-later
// The converter's formats read back what they write, its readers pick the right glyphs from
// fonts made elsewhere, and the program answers bad files with status 1 and bad command lines
// with status 2, naming the file and the reason and writing nothing.

#include "convert/formats.h"
#include "font/gph.h"
#include "support/test_files.h"

#include <QBuffer>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <bit>
#include <functional>
#include <map>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// The gph file of a font, from the layout the editor imports: byte 1 + 6144 s + 64 c + 8 x + y
// is pixel (x, y) of character c of set s, 1 for ink.
QByteArray gphOf(const QByteArray &font)
{
    const int sets = setCountOf(font);
    QByteArray gph(1 + sets * GphSetBytes, '\0');
    gph[0] = char(sets - 1);
    for (int set = 0; set < sets; ++set) {
        for (int character = 0; character < CharsPerSet; ++character) {
            for (int x = 0; x < GlyphSize; ++x) {
                for (int y = 0; y < GlyphSize; ++y) {
                    if (rowOf(font, set, character, y) >> (7 - x) & 1)
                        gph[1 + set * GphSetBytes + character * 64 + x * 8 + y] = 1;
                }
            }
        }
    }
    return gph;
}

QByteArray pngOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A sheet as people draw it, with no note of its colours: cells `columns` wide, each pixel a
// scale × scale square, a line of one point between the cells when there is a grid colour
// (and around them with a frame); shaded ink is a grey that changes from point to point.
struct Drawing
{
    int columns = 32;
    int scale = 1;
    QRgb ink = 0xff000000;
    QRgb paper = 0xffffffff;
    std::optional<QRgb> grid = {};
    bool frame = false;
    bool shaded = false;
    PngOptions given = {}; // the colours named on reading
};

QByteArray drawnSheet(const QByteArray &font, const Drawing &drawing)
{
    const int line = drawing.grid ? 1 : 0;
    const int edge = drawing.frame ? 1 : 0;
    const int pitch = GlyphSize * drawing.scale + line;
    const int rows = CharsPerSet / drawing.columns;
    QImage sheet(drawing.columns * pitch - line + 2 * edge,
                 setCountOf(font) * rows * pitch - line + 2 * edge, QImage::Format_ARGB32);
    sheet.fill(drawing.grid.value_or(drawing.paper));
    for (int cell = 0; cell < setCountOf(font) * CharsPerSet; ++cell) {
        const int left = edge + cell % CharsPerSet % drawing.columns * pitch;
        const int top
            = edge + (cell / CharsPerSet * rows + cell % CharsPerSet / drawing.columns) * pitch;
        for (int point = 0; point < GlyphSize * GlyphSize * drawing.scale * drawing.scale;
             ++point) {
            const int x = point % (GlyphSize * drawing.scale);
            const int y = point / (GlyphSize * drawing.scale);
            const bool ink
                = font[cell * GlyphSize + y / drawing.scale] >> (7 - x / drawing.scale) & 1;
            const QRgb shade = qRgb(64 + x * y % 96, 64 + x * y % 96, 64 + x * y % 96);
            sheet.setPixel(left + x, top + y,
                           !ink                 ? drawing.paper
                               : drawing.shaded ? shade
                                                : drawing.ink);
        }
    }
    return pngOf(sheet);
}

// Glyphs as fonts have them, clear at the top and on the right, so that the paper of a drawn
// sheet can be found from the cells' borders.
QByteArray clearedBorders(QByteArray font)
{
    for (qsizetype i = 0; i < font.size(); ++i)
        font[i] = i % GlyphSize == 0 ? '\0' : char(font[i] & 0xfe);
    return font;
}

const std::map<QString, PngOptions> WrittenSheets = {
    {u"PNG"_s, {}},
    {u"PNG at 3×, as wide as 96 × 1 at 1×"_s, {.scale = 3}},
    {u"PNG at 16×"_s, {.scale = 16}},
    {u"PNG white on blue"_s, {.scale = 2, .ink = 0xffffffff, .paper = 0xff0000ff}},
    {u"PNG red on green, alike in lightness"_s, {.ink = 0xffff0000, .paper = 0xff00a000}},
    {u"PNG see-through ink"_s, {.ink = 0x00000000}},
};

const std::map<QString, Drawing> DrawnSheets = {
    {u"drawn 16×6"_s, {.columns = 16}},
    {u"drawn 96×1 at 3×"_s, {.columns = 96, .scale = 3}},
    {u"drawn in cyan"_s, {.ink = 0xff00ffff}},
    {u"drawn in yellow"_s, {.ink = 0xffffff00}},
    {u"drawn in mid-grey at 2×"_s, {.scale = 2, .ink = 0xff808080}},
    {u"drawn in shades of grey"_s, {.shaded = true}},
    {u"drawn in white on blue"_s, {.ink = 0xffffffff, .paper = 0xff0000ff}},
    {u"drawn in yellow on blue"_s, {.ink = 0xffffff00, .paper = 0xff0000ff}},
    {u"drawn on see-through paper"_s, {.ink = 0xffffffff, .paper = 0x00000000}},
    {u"drawn at 2× with a red grid"_s, {.scale = 2, .grid = 0xffff0000}},
    {u"drawn 16×6 at 4× with a grid and a frame"_s,
     {.columns = 16, .scale = 4, .grid = 0xffc0c0c0, .frame = true}},
    {u"drawn in red on green, both named"_s,
     {.ink = 0xffff0000, .paper = 0xff00a000, .given = {.ink = 0xffff0000, .paper = 0xff00a000}}},
    {u"drawn in white on black, ink named"_s,
     {.ink = 0xffffffff, .paper = 0xff000000, .given = {.ink = 0xffffffff}}},
};

// The font written in a format and read back again.
FontRead writtenAndRead(const QString &format, const QByteArray &font)
{
    if (format == u"SpecCHR")
        return readSpecChr(font);
    if (format == u"gph")
        return readGph(gphOf(font));
    if (format == u"PSF")
        return readPsf(writePsf(font));
    if (format == u"BDF")
        return readBdf(writeBdf(font, u"test"_s));
    if (format == u"FZX")
        return readFzx(writeFzx(font, false));
    if (format == u"CPC BASIC")
        return readCpcBasic(writeCpcBasic(font));
    if (format == u"raw from 32")
        return readRawFont(font, FirstCode);
    if (format == u"raw of 256 from 0")
        return readRawFont(QByteArray(FirstCode * GlyphSize, '\0') + font
                               + QByteArray((256 - 128) * GlyphSize, '\0'),
                           {});
    if (WrittenSheets.count(format))
        return readPngSheet(writePngSheet(font, WrittenSheets.at(format)).bytes, {});
    if (DrawnSheets.count(format))
        return readPngSheet(drawnSheet(font, DrawnSheets.at(format)), DrawnSheets.at(format).given);
    if (format == u"SCR sheet")
        return readScreen(writeScreen(font, {}).bytes, SheetCells.toString());
    // Tapes: the font as high as it fits, with the loader before it where there is room.
    const int address = 65536 - int(font.size());
    const QByteArray tape
        = writeTap(font, {address, address >= LowestLoaderAddress, u"test"_s}).bytes;
    if (format == u"TAP")
        return readTap(tape, -1);
    if (format == u"TZX")
        return readTap(writeTap(font, {address, false, u"test"_s, TapeImage::Tzx}).bytes, -1,
                       TapeImage::Tzx);
    if (format == u"TAP block 2")
        return readTap(tape, 2); // after the loader, the CODE header: its data block is taken
    if (format == u"TAP block 3")
        return readTap(tape, 3); // the data block itself
    const QByteArrayView half = QByteArrayView(font).first(font.size() / 2);
    const QByteArrayView rest = QByteArrayView(font).sliced(font.size() / 2);
    return readTap(
        writeTap(half, {address, false, {}}).bytes + writeTap(rest, {32768, false, {}}).bytes, -1);
}

// An FZX font's characters as the format's public description reads them, apart from the
// converter's own reader: from each table entry, its rows (from the offset in the word, counted
// from the word itself, to where the next entry's start), the blank rows above them and the
// width, and the kern in the word's top bits; the tracking from the header.
struct FzxCharacter
{
    int width;
    int shift;
    int kern;
    QByteArray rows;
};

QList<FzxCharacter> fzxCharacters(const QByteArray &fzx)
{
    const auto byte = [&fzx](int at) { return int(std::uint8_t(fzx[at])); };
    const auto word = [&byte](int at) { return byte(at) | byte(at + 1) << 8; };
    QList<FzxCharacter> characters;
    for (int at = 3; at < 3 + (byte(2) - 31) * 3; at += 3) {
        const int start = at + (word(at) & 0x3fff);
        const int end = at + 3 + (word(at + 3) & 0x3fff);
        characters.append({(byte(at + 2) & 15) + 1, byte(at + 2) >> 4, word(at) >> 14,
                           fzx.mid(start, end - start)});
    }
    return characters;
}

QByteArray littleEndian32(quint32 value)
{
    QByteArray bytes;
    for (int shift = 0; shift < 32; shift += 8)
        bytes.append(char(value >> shift & 0xff));
    return bytes;
}

// A PSF 2 font whose glyph i is eight bytes of i + 1, with names[i] as its table entry
// (UTF-8; "\xfe" starts the sequences).
QByteArray psf2(const QList<QByteArray> &names)
{
    QByteArray bytes("\x72\xb5\x4a\x86", 4);
    for (const quint32 field : {0u, 32u, 1u, quint32(names.size()), 8u, 8u, 8u})
        bytes += littleEndian32(field);
    for (int glyph = 0; glyph < names.size(); ++glyph)
        bytes += QByteArray(8, char(glyph + 1));
    for (const QByteArray &name : names)
        bytes += name + '\xff';
    return bytes;
}

// A PSF 1 font of 256 glyphs without a table, glyph i eight bytes of i.
QByteArray psf1InCodeOrder()
{
    QByteArray bytes("\x36\x04\x00\x08", 4);
    for (int glyph = 0; glyph < 256; ++glyph)
        bytes += QByteArray(8, char(glyph));
    return bytes;
}

// A BDF font with 8 × 8 cells whose baseline is above the bottom row, and the given characters.
QByteArray bdf(const QByteArray &characters)
{
    return "STARTFONT 2.1\nFONT x\nSIZE 8 72 72\nFONTBOUNDINGBOX 8 8 0 -1\nSTARTPROPERTIES 1\n"
           "COMMENT \"ENDFONT\" in a property is no end\nENDPROPERTIES\nCHARS 1\n"
        + characters + "ENDFONT\n";
}

QByteArray bdfCharacter(int encoding, const QByteArray &box, const QByteArray &rows)
{
    return "STARTCHAR c\nENCODING " + QByteArray::number(encoding) + "\nBBX " + box + "\nBITMAP\n"
        + rows + "ENDCHAR\n";
}

QByteArray eight(char byte)
{
    return QByteArray(GlyphSize, byte);
}

// Glyphs in code order, glyph i eight bytes of i % 251, so that the first 512 differ.
QByteArray codeGlyphs(int count)
{
    QByteArray glyphs;
    for (int glyph = 0; glyph < count; ++glyph)
        glyphs += eight(char(glyph % 251));
    return glyphs;
}

FontRead readForeign(const QString &format, const QByteArray &file)
{
    if (format == u"PSF")
        return readPsf(file);
    if (format == u"BDF")
        return readBdf(file);
    if (format == u"C64")
        return readC64(file);
    if (format == u"Atari")
        return readAtari(file);
    if (format == u"CPC")
        return readCpcBasic(file);
    return readRawFont(file,
                       format.startsWith(u"raw from ")
                           ? std::optional<int>(format.section(u' ', 2).toInt())
                           : std::nullopt);
}

// The Spectrum's characters each machine lacks.
const std::map<QString, QList<int>> Lacking = {
    {u"C64"_s, {92, 95, 123, 124, 125, 126, 127}},
    {u"Atari"_s, {96, 123, 125, 126, 127}},
    {u"CPC"_s, {}},
};

struct Run
{
    int status;
    QString errors;
    QString output;
};

Run runConverter(const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(GLYPHERY_CONVERT), arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit)
        return {-1, u"the program did not finish"_s, {}};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError()),
            QString::fromUtf8(process.readAllStandardOutput())};
}

} // namespace

class TestConvert : public QObject
{
    Q_OBJECT
private slots:
    void roundTrip_data();
    void roundTrip();
    void foreignGlyphs_data();
    void foreignGlyphs();
    void fzx_data();
    void fzx();
    void otherMachines_data();
    void otherMachines();
    void badInput_data();
    void badInput();
    void commandLine_data();
    void commandLine();
};

void TestConvert::roundTrip_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<int>("sets");
    const std::pair<const char *, int> rows[]
        = {{"SpecCHR", 64},  {"gph", 64},        {"TAP", 1},         {"TAP", 64},
           {"TAP", 3},       {"TAP block 2", 2}, {"TAP block 3", 2}, {"TAP two files", 64},
           {"PSF", 1},       {"BDF", 1},         {"PNG", 64},        {"TZX", 64},
           {"SCR sheet", 8}, {"SCR sheet", 3},   {"FZX", 1}};
    for (const auto &[format, sets] : rows)
        QTest::addRow("%s, %d sets", format, sets) << QString::fromUtf8(format) << sets;
    // The CPC has every Spectrum character, and these raw fonts every code 32..127.
    for (const char *format : {"CPC BASIC", "raw from 32", "raw of 256 from 0"})
        QTest::addRow("%s, 1 set", format) << QString::fromUtf8(format) << 1;
    // One set at 3× is a picture exactly as large as nine sets at 1×.
    QStringList sheets;
    for (const auto &written : WrittenSheets)
        sheets.append(written.first);
    for (const auto &drawn : DrawnSheets)
        sheets.append(drawn.first);
    for (const QString &format : sheets) {
        const int sets = format.contains(u"3×") ? 1 : 2;
        if (format != u"PNG")
            QTest::addRow("%s, %d sets", qPrintable(format), sets) << format << sets;
    }
}

void TestConvert::roundTrip()
{
    QFETCH(QString, format);
    QFETCH(int, sets);
    QByteArray font = randomBytes(sets * SetBytes, quint32(sets) * 7 + 1);
    if (format.startsWith(u"drawn"))
        font = clearedBorders(font);
    const FontRead read = writtenAndRead(format, font);
    QCOMPARE(read.error, QString());
    QCOMPARE(read.warning, QString());
    QCOMPARE(read.font.size(), font.size());
    QVERIFY(read.font == font);
}

void TestConvert::foreignGlyphs_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("code");
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<bool>("warned"); // about characters the font lacks

    QTest::newRow("PSF: the Spectrum's ↑ before the ^ that stands in for it")
        << u"PSF"_s << psf2({"^", "↑"}) << 94 << eight(2) << true;
    QTest::newRow("PSF: ^ when there is no ↑")
        << u"PSF"_s << psf2({"A", "^"}) << 94 << eight(2) << true;
    QTest::newRow("PSF: £ by its table, the ` in front of it ignored")
        << u"PSF"_s << psf2({"`", "£x"}) << 96 << eight(2) << true;
    QTest::newRow("PSF: © for code 127") << u"PSF"_s << psf2({"", "©"}) << 127 << eight(2) << true;
    QTest::newRow("PSF: the first of two glyphs named A")
        << u"PSF"_s << psf2({"A", "A"}) << 65 << eight(1) << true;
    QTest::newRow("PSF: a sequence names no single character") << u"PSF"_s
                                                               << psf2({"B\xfe"
                                                                        "AB"})
                                                               << 65 << eight(0) << true;
    QTest::newRow("PSF 1 without a table: glyphs in code order")
        << u"PSF"_s << psf1InCodeOrder() << 65 << eight(65) << false;

    // A box of 2 × 3 pixels at (1, 0) above the baseline lands in rows 4..6, columns 1..2.
    QTest::newRow("BDF: a small box placed in the cell")
        << u"BDF"_s << bdf(bdfCharacter(65, "2 3 1 0", "C0\n80\n40\n")) << 65
        << QByteArray::fromHex("0000000060402000") << true;
    QTest::newRow("BDF: ↑ by its Unicode number")
        << u"BDF"_s << bdf(bdfCharacter(8593, "8 8 0 -1", QByteArray("FF\n").repeated(8))) << 94
        << eight(char(0xff)) << true;
    QTest::newRow("BDF: a glyph without a code is passed over")
        << u"BDF"_s
        << bdf(bdfCharacter(-1, "8 1 0 6", "FF\n") + bdfCharacter(65, "8 1 0 6", "81\n")) << 65
        << QByteArray::fromHex("8100000000000000") << true;

    QTest::newRow("C64 of one set: the upper-case set, A at screen code 1")
        << u"C64"_s << QByteArray("\x00\x38", 2) + codeGlyphs(256) << 65 << eight(1) << true;
    QTest::newRow("C64 of two sets: A at 65 of the lower-case set")
        << u"C64"_s << QByteArray("\x00\x30", 2) + codeGlyphs(512) << 65 << eight(char(321 % 251))
        << true;
    QTest::newRow("Atari: A at internal code 33")
        << u"Atari"_s << codeGlyphs(128) << 65 << eight(33) << true;
    QTest::newRow("Atari: ↑ at internal code 92, not ^ at 62")
        << u"Atari"_s << codeGlyphs(128) << 94 << eight(92) << true;
    const QByteArray typed = "20 symbol 65,&ff,&x10000001:SYMBOL 66,1\r\n"
                             "10 SYMBOL AFTER 32 ' before line 20\r\n"
                             "20 symbol 65 , &HFF, 129, 66\r\n\x1a\x1a";
    QTest::newRow("CPC: the last line 20 runs, after line 10; rows not given are paper")
        << u"CPC"_s << typed << 65 << QByteArray::fromHex("ff81420000000000") << true;
    QTest::newRow("CPC: a character of the replaced line is not defined")
        << u"CPC"_s << typed << 66 << eight(0) << true;
    QTest::newRow("CPC: £ at 163, not ` at 96")
        << u"CPC"_s << QByteArray("10 SYMBOL AFTER 32:SYMBOL 96,1:SYMBOL 163,2\n") << 96
        << QByteArray::fromHex("0200000000000000") << true;
    QTest::newRow("raw of 256: A at 65") << u"raw"_s << codeGlyphs(256) << 65 << eight(65) << false;
    QTest::newRow("raw of 64 from 64: A is its glyph 1")
        << u"raw from 64"_s << codeGlyphs(64) << 65 << eight(1) << true;
}

void TestConvert::otherMachines_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<int>("code"); // the Spectrum's; -1 for none: the glyph is blank
    QTest::addColumn<int>("machineCode"); // C64: 256 and up in the lower-case set
    QTest::addColumn<bool>("reversed");
    const std::tuple<const char *, const char *, int, int, bool> rows[] = {
        {"C64: screen code 0 is @", "C64", 64, 0, false},
        {"C64: screen code 1 of the upper-case set is A", "C64", 65, 1, false},
        {"C64: screen code 28 is £", "C64", 96, 28, false},
        {"C64: screen code 30 is ↑", "C64", 94, 30, false},
        {"C64: screen code 129 is A reversed", "C64", 65, 129, true},
        {"C64: screen code 1 of the lower-case set is a", "C64", 97, 256 + 1, false},
        {"C64: screen code 65 of the lower-case set is A", "C64", 65, 256 + 65, false},
        {"C64: screen code 65 of the upper-case set is a graphic", "C64", -1, 65, false},
        {"C64: screen code 193 reverses that graphic", "C64", -1, 193, true},
        {"Atari: internal code 0 is the space", "Atari", 32, 0, false},
        {"Atari: internal code 33 is A", "Atari", 65, 33, false},
        {"Atari: internal code 92, ATASCII 28, is ↑", "Atari", 94, 92, false},
        {"Atari: internal code 97 is a", "Atari", 97, 97, false},
        {"Atari: internal code 64, ATASCII 0, is a heart", "Atari", -1, 64, false},
        {"CPC: SYMBOL 65 is A", "CPC", 65, 65, false},
        {"CPC: SYMBOL 94 is ↑", "CPC", 94, 94, false},
        {"CPC: SYMBOL 163 is £", "CPC", 96, 163, false},
        {"CPC: SYMBOL 164 is ©", "CPC", 127, 164, false},
        {"CPC: no SYMBOL 96, the CPC's `", "CPC", -1, 96, false},
    };
    for (const auto &[name, machine, code, machineCode, reversed] : rows)
        QTest::newRow(name) << QString::fromUtf8(machine) << code << machineCode << reversed;
}

// The glyph at the machine's code, and the whole set read back: every character the machine
// has, the rest paper with a warning.
void TestConvert::otherMachines()
{
    QFETCH(QString, machine);
    QFETCH(int, code);
    QFETCH(int, machineCode);
    QFETCH(bool, reversed);
    const QByteArray set = randomBytes(SetBytes, 9);
    QByteArray glyph = code < 0 ? eight(0) : set.mid((code - FirstCode) * GlyphSize, GlyphSize);
    for (char &row : glyph)
        row = reversed ? char(~row) : row;
    FontRead read;
    if (machine == u"CPC") {
        const QByteArray written = writeCpcBasic(set);
        QByteArray line = " SYMBOL " + QByteArray::number(machineCode) + ',';
        QCOMPARE(written.contains(line), code >= 0);
        for (const char row : glyph)
            line += QByteArray::number(quint8(row)) + ',';
        QVERIFY(code < 0 || written.contains(line.chopped(1) + "\r\n"));
        read = readCpcBasic(written);
    } else {
        const QByteArray written = machine == u"C64" ? writeC64(set) : writeAtari(set);
        const int start = machine == u"C64" ? 2 : 0; // after the load address
        QCOMPARE(written.mid(start + machineCode * GlyphSize, GlyphSize).toHex(), glyph.toHex());
        read = machine == u"C64" ? readC64(written) : readAtari(written);
    }
    QByteArray expected = set;
    for (const int lacking : Lacking.at(machine))
        expected.replace((lacking - FirstCode) * GlyphSize, GlyphSize, eight(0));
    QCOMPARE(read.font.toHex(), expected.toHex());
    QCOMPARE(read.warning.isEmpty(), Lacking.at(machine).isEmpty());
}

void TestConvert::foreignGlyphs()
{
    QFETCH(QString, format);
    QFETCH(QByteArray, file);
    QFETCH(int, code);
    QFETCH(QByteArray, rows);
    QFETCH(bool, warned);
    const FontRead read = readForeign(format, file);
    QCOMPARE(read.error, QString());
    QCOMPARE(read.font.size(), SetBytes);
    QCOMPARE(read.font.mid((code - FirstCode) * GlyphSize, GlyphSize).toHex(), rows.toHex());
    QCOMPARE(!read.warning.isEmpty(), warned);
}

// Written FZX as a program that reads the format would see it: each character's ink from its
// top row down, as wide as its cell (fixed) or, moved to the left, as its ink (proportional);
// a character without ink has no rows, and in a proportional font half a cell with the
// tracking. Glyphs of random widths, blank ones among them.
void TestConvert::fzx_data()
{
    QTest::addColumn<bool>("proportional");
    QTest::newRow("fixed") << false;
    QTest::newRow("proportional") << true;
}

void TestConvert::fzx()
{
    QFETCH(bool, proportional);
    QByteArray set = randomBytes(SetBytes, 11);
    for (int i = 0; i < SetBytes; ++i) // ink in columns 2..6 at most, none in every 7th glyph
        set[i] = char(i / GlyphSize % 7 ? set[i] & 0x3e : 0);
    const QByteArray fzx = writeFzx(set, proportional);
    QCOMPARE(fzx.left(3), QByteArray::fromHex(proportional ? "08017f" : "08007f"));
    const QList<FzxCharacter> characters = fzxCharacters(fzx);
    QCOMPARE(characters.size(), CharsPerSet);
    for (int character = 0; character < CharsPerSet; ++character) {
        const QByteArray glyph = set.mid(character * GlyphSize, GlyphSize);
        std::uint8_t columns = 0;
        for (const char row : glyph)
            columns |= std::uint8_t(row);
        const int left = proportional && columns ? std::countl_zero(columns) : 0;
        const int width = !proportional ? 8 : columns ? 8 - left - std::countr_zero(columns) : 3;
        const FzxCharacter &read = characters[character];
        QByteArray ink;
        int shift = 0;
        for (int row = 0; row < GlyphSize; ++row) {
            if (!glyph[row] && ink.isEmpty()) {
                shift = columns ? row + 1 : 0;
                continue;
            }
            ink += char(std::uint8_t(glyph[row]) << left);
        }
        while (ink.endsWith('\0'))
            ink.chop(1);
        QCOMPARE(QString::asprintf("%d %d %d ", read.width, read.shift, read.kern)
                     + QString::fromLatin1(read.rows.toHex()),
                 QString::asprintf("%d %d 0 ", width, shift) + QString::fromLatin1(ink.toHex()));
    }
}

void TestConvert::badInput_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QByteArray>("bytes"); // null: no file is made
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("outputNamed"); // the message is about the output file
    QTest::addColumn<QString>("reason");

    const QByteArray font = randomBytes(SetBytes, 1);
    const QByteArray tape = writeTap(font, {64000, false, u"t"_s}).bytes;
    QByteArray badSum = tape;
    badSum[30] = char(badSum[30] ^ 1);
    const QByteArray psf = writePsf(font);
    QByteArray tall = psf;
    tall[24] = 16;
    // A picture of points coloured by (x, y).
    const auto picture = [](int width, int height, const std::function<QRgb(int, int)> &colourAt) {
        QImage image(width, height, QImage::Format_RGB32);
        for (int point = 0; point < width * height; ++point)
            image.setPixel(point % width, point / width, colourAt(point % width, point / width));
        return pngOf(image);
    };
    const auto white = [](int, int) { return 0xffffffff; };
    const QByteArray sheet = writePngSheet(font, {}).bytes;
    const QString out = u"out.SpecCHR"_s;

    QTest::newRow("SpecCHR not of whole sets") << u"in.SpecCHR"_s << randomBytes(1000, 2)
                                               << QStringList() << out << false << u"1000 байт"_s;
    QTest::newRow("SpecCHR longer than 64 sets")
        << u"in.bin"_s << randomBytes(MaxFontBytes + SetBytes, 3) << QStringList() << out << false
        << u"слишком велик"_s;
    QTest::newRow("gph of 65 sets") << u"in.gph"_s << QByteArray(1, char(64)) << QStringList()
                                    << out << false << u"65 наборов"_s;
    QTest::newRow("gph that is a tape renamed")
        << u"in.gph"_s << tape << QStringList() << out << false
        << u"по заголовку в нём 20 наборов, это 122881 байт, а в файле 793 байта."_s;
    QTest::newRow("gph with a pixel of 2")
        << u"in.gph"_s << QByteArray(1 + GphSetBytes, '\0').replace(100, 1, "\x02") << QStringList()
        << out << false << u"в байте 100 значение 2"_s;
    QTest::newRow("gph longer than its sets")
        << u"in.gph"_s << QByteArray(2 + GphSetBytes, '\0') << QStringList() << out << false
        << u"в файле 6146 байт"_s;
    QTest::newRow("BDF whose baseline lies beyond an int")
        << u"in.bdf"_s << bdf({}).replace("BOX 8 8 0 -1", "BOX 8 8 0 2147483647") << QStringList()
        << out << false << u"от −32768 до 32767"_s;
    QTest::newRow("tape cut in a block")
        << u"in.tap"_s << tape.chopped(5) << QStringList() << out << false << u"обрезан"_s;
    QTest::newRow("tape with a wrong checksum")
        << u"in.tap"_s << badSum << QStringList() << out << false << u"контрольная сумма"_s;
    QTest::newRow("tape without a font")
        << u"in.tap"_s << writeTap(font.first(SetBytes / 2), {64000, true, {}}).bytes
        << QStringList() << out << false << u"нет блока CODE"_s;
    QTest::newRow("empty tape, block 0")
        << u"in.tap"_s << QByteArray(0, '\0') << QStringList {u"--block"_s, u"0"_s} << out << false
        << u"блока 0 нет: лента пуста"_s;
    QTest::newRow("tape block that is not there")
        << u"in.tap"_s << tape << QStringList {u"--block"_s, u"4"_s} << out << false
        << u"блока 4 нет"_s;
    QTest::newRow("tape header block chosen but not CODE")
        << u"in.tap"_s << writeTap(font, {64000, true, {}}).bytes
        << QStringList {u"--block"_s, u"0"_s} << out << false << u"не CODE"_s;
    QTest::newRow("TZX without its signature")
        << u"in.tzx"_s << tape << QStringList() << out << false << u"нет подписи"_s;
    QTest::newRow("TZX block that is a pause")
        << u"in.tzx"_s << QByteArray("ZXTape!\x1a\x01\x14\x20\x00\x00", 13)
        << QStringList {u"--block=0"_s} << out << false << u"в блоке 0 нет данных"_s;
    QTest::newRow("tape packed by bzip2, which libspectrum would unpack without a limit")
        << u"in.tap"_s << QByteArray("BZh91AY&SY") << QStringList() << out << false << u"сжат"_s;
    QTest::newRow("snapshot cut short") << u"in.sna"_s << QByteArray(1000, '\0') << QStringList()
                                        << out << false << u"повреждён или обрезан"_s;
    // A .z80 of version 3 for a 48K whose page at 16384 unpacks to 2 bytes, which libspectrum
    // would keep as the page.
    QByteArray shortPage(32 + 54, '\0');
    shortPage[30] = 54;
    QTest::newRow("z80 snapshot whose page is short of 16 KB")
        << u"in.z80"_s << shortPage + QByteArray("\x02\x00\x08\x00\x00", 5) << QStringList() << out
        << false << u"распаковывается не в 16 КБ"_s;
    // An .szx of a 48K whose page 5 comes twice, both stored as they are.
    const QByteArray ramp = QByteArray("RAMP\x03\x40\0\0\0\0\x05", 11) + QByteArray(16384, '\0');
    QTest::newRow("szx snapshot with a page twice")
        << u"in.szx"_s << QByteArray("ZXST\x01\x04\x01\0", 8) + ramp + ramp << QStringList() << out
        << false << u"страница памяти 5 записана дважды"_s;
    QTest::newRow("screen a byte too long")
        << u"in.scr"_s << QByteArray(6913, '\0') << QStringList {u"--cells=sheet"_s} << out << false
        << u"6913 байт, а экран Spectrum — ровно 6912"_s;
    QTest::newRow("screen whose two A differ")
        << u"in.scr"_s << QByteArray(6912, '\0').replace(1, 1, "\x01")
        << QStringList {u"--cells=AA"_s} << out << false << u"«A» нарисован по-разному"_s;
    QTest::newRow("PSF of 8 × 16 glyphs")
        << u"in.psf"_s << tall << QStringList() << out << false << u"8×16"_s;
    QTest::newRow("PSF of one glyph cut short")
        << u"in.psf"_s << psf2({"A"}).first(32) << QStringList() << out << false
        << u"нет всех 1 глифа."_s;
    QTest::newRow("PSF cut short")
        << u"in.psf"_s << psf.first(500) << QStringList() << out << false << u"обрезан"_s;
    QByteArray wide = writeFzx(font, false);
    wide[3 + 33 * 3 + 2] = char(0x08); // "A" 9 pixels wide
    QTest::newRow("FZX wider than a cell")
        << u"in.fzx"_s << wide << QStringList() << out << false << u"символ 65 шириной 9"_s;
    QTest::newRow("FZX cut in its table")
        << u"in.fzx"_s << wide.first(100) << QStringList() << out << false << u"обрезан"_s;
    QTest::newRow("FZX rows beyond its end") << u"in.fzx"_s << writeFzx(font, false).chopped(1)
                                             << QStringList() << out << false << u"за концом"_s;
    QTest::newRow("PSF compressed") << u"in.psf.gz"_s << QByteArray("\x1f\x8b\x08\x00", 4)
                                    << QStringList() << out << false << u"gzip"_s;
    QTest::newRow("not a PSF") << u"in.psf"_s << QByteArray("hello") << QStringList() << out
                               << false << u"не шрифт PSF"_s;
    QTest::newRow("BDF of 8 × 16 cells") << u"in.bdf"_s << bdf({}).replace("BOX 8 8", "BOX 8 16")
                                         << QStringList() << out << false << u"8×16"_s;
    QTest::newRow("BDF ink outside the cell")
        << u"in.bdf"_s << bdf(bdfCharacter(65, "2 2 7 0", "C0\nC0\n")) << QStringList() << out
        << false << u"выходит за клетку"_s;
    QTest::newRow("BDF without its end") << u"in.bdf"_s << bdf({}).replace("ENDFONT\n", "")
                                         << QStringList() << out << false << u"ENDFONT"_s;
    QTest::newRow("PNG not a sheet")
        << u"in.png"_s << picture(100, 10, white) << QStringList() << out << false << u"100×10"_s;
    // libpng warns of the wrong checksum through Qt, in English.
    QByteArray badChecksum = picture(256, 24, white);
    badChecksum[badChecksum.indexOf("pHYs") + 4 + 9] ^= 1;
    QTest::newRow("PNG of one colour, with a chunk's checksum wrong")
        << u"in.png"_s << badChecksum << QStringList() << out << false << u"один цвет"_s;
    QTest::newRow("PNG of two colours alike in lightness")
        << u"in.png"_s
        << picture(256, 24, [](int x, int) { return x % 3 ? 0xff808080 : 0xff909090; })
        << QStringList() << out << false << u"почти одной светлоты"_s;
    QTest::newRow("PNG whose pixels are no squares") // the size is a sheet's at 2×
        << u"in.png"_s
        << picture(512, 48, [](int x, int y) { return x * y % 7 ? 0xff000000 : 0xffffffff; })
        << QStringList() << out << false << u"не квадраты 2×2"_s;
    QTest::newRow("PNG with as much ink as paper on the borders and in all")
        << u"in.png"_s
        << drawnSheet(QByteArray::fromHex("aa55aa55aa55aa55").repeated(CharsPerSet), {})
        << QStringList() << out << false << u"где чернила"_s;
    QTest::newRow("PNG cut short") << u"in.png"_s << sheet.first(sheet.size() / 2) << QStringList()
                                   << out << false << u"повреждён"_s;
    QTest::newRow("PNG over libpng's size, an existing file kept")
        << u"in.SpecCHR"_s << font
        << QStringList {u"--to"_s,       u"png"_s,    u"--force"_s,
                        u"--scale=16"_s, u"--text"_s, QString(8000, u'A')}
        << u"in.SpecCHR"_s << true << u"1000000"_s;
    QTest::newRow("PNG that is not a picture")
        << u"in.png"_s << QByteArray("GIF89a") << QStringList() << out << false
        << u"не картинка PNG"_s;
    QTest::newRow("C64 neither one set nor two") << u"in.64c"_s << QByteArray(2 + 3000, '\0')
                                                 << QStringList() << out << false << u"4096 байт"_s;
    QTest::newRow("Atari not 1024 bytes")
        << u"in.fnt"_s << QByteArray(1000, '\0') << QStringList() << out << false << u"1000 байт"_s;
    const auto cpc = [&](const char *name, const QByteArray &program, const QString &reason) {
        QTest::newRow(name) << u"in.bas"_s << program << QStringList() << out << false << reason;
    };
    cpc("CPC SYMBOL of a variable", "10 SYMBOL AFTER 32\n20 SYMBOL 65,a\n",
        u"строка 20: в SYMBOL"_s);
    cpc("CPC SYMBOL below SYMBOL AFTER", "10 SYMBOL 65,1\n", u"ниже SYMBOL AFTER 240"_s);
    cpc("CPC SYMBOL of nine rows", "10 SYMBOL AFTER 32:SYMBOL 65,1,2,3,4,5,6,7,8,9\n",
        u"от 1 до 8 чисел"_s);
    cpc("CPC line without a number", "10 SYMBOL AFTER 32\nSYMBOL 65,1\n", u"строка 2 файла"_s);
    cpc("CPC loop", "10 SYMBOL AFTER 32\n20 FOR i=1 TO 2:SYMBOL 65,i:NEXT\n",
        u"строка 20: понятны только"_s);
    cpc("CPC statements run together", "10 SYMBOL AFTER 32 SYMBOL 65,1\n", u"кроме «:»"_s);
    cpc("CPC without a Spectrum character", "10 REM SYMBOL 65,1\n20 SYMBOL AFTER 32:SYMBOL 200,1\n",
        u"нет ни одного символа Spectrum"_s);
    QTest::newRow("raw not whole characters")
        << u"in.raw"_s << QByteArray(1025, '\0') << QStringList() << out << false << u"по 8 байт"_s;
    QTest::newRow("raw of 100 characters without --first")
        << u"in.raw"_s << codeGlyphs(100) << QStringList() << out << false << u"--first"_s;
    QTest::newRow("raw without codes 32..127")
        << u"in.raw"_s << codeGlyphs(128) << QStringList {u"--first=128"_s} << out << false
        << u"от 128 до 255"_s;
    QTest::newRow("input missing") << u"in.SpecCHR"_s << QByteArray() << QStringList() << out
                                   << false << u"такого файла нет"_s;
    QTest::newRow("output already there")
        << u"in.SpecCHR"_s << font << QStringList() << u"in.SpecCHR"_s << true << u"--force"_s;
    QTest::newRow("output in a missing folder")
        << u"in.SpecCHR"_s << font << QStringList() << u"missing/out.tap"_s << true
        << u"не существует"_s;
}

void TestConvert::badInput()
{
    QFETCH(QString, input);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, options);
    QFETCH(QString, output);
    QFETCH(bool, outputNamed);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString in = dir.filePath(input);
    const QString out = dir.filePath(output);
    if (!bytes.isNull())
        QVERIFY(writeFile(in, bytes));
    const QByteArray before = fileBytes(out);
    const QStringList entries = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    const Run run = runConverter(QStringList {in, out} + options);
    QCOMPARE(run.status, 1);
    // One line of the program's own: none of a library's.
    QVERIFY2(run.errors.startsWith(u"glyphery-convert: ") && run.errors.count(u'\n') == 1,
             qPrintable(run.errors));
    QVERIFY2(run.errors.contains(u"«%1»"_s.arg(outputNamed ? out : in)), qPrintable(run.errors));
    QVERIFY2(run.errors.contains(reason), qPrintable(run.errors));
    QCOMPARE(fileBytes(out), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), entries);
}

void TestConvert::commandLine_data()
{
    // IN is a font of two sets, with "%1" in its name as a trap for messages, BIG one of 53
    // sets; OUT a new file, DIR their folder.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said"); // in the output or the message
    QTest::addColumn<QString>("written"); // the file made, if any
    const auto row = [](const char *name, const QString &arguments, const QString &reason) {
        QTest::newRow(name) << arguments.split(u'|', Qt::SkipEmptyParts) << 2 << reason
                            << QString();
    };
    const auto done = [](const char *name, const QString &arguments, const QString &said,
                         const QString &written) {
        QTest::newRow(name) << arguments.split(u'|') << 0 << said << written;
    };
    done("version", u"--version"_s, u"glyphery-convert " GLYPHERY_VERSION "\n"_s, {});
    done("-- ends the options", u"IN|--|-font.tap"_s, {}, u"-font.tap"_s);
    row("no files", u""_s, u"два файла"_s);
    row("a folder of outputs without their format", u"--out-dir|DIR|IN"_s, u"ключ --to"_s);
    done("a folder of outputs", u"--out-dir|DIR|--to|fzx|--set|1|IN"_s, {}, u"in%1.fzx"_s);
    QTest::newRow("a folder of outputs, two of one name")
        << u"--out-dir|DIR|--to|fzx|--set|1|IN|IN"_s.split(u'|') << 1 << u"уже пишется"_s
        << u"in%1.fzx"_s;
    row("one file", u"IN"_s, u"два файла"_s);
    row("three files", u"IN|OUT.tap|OUT.png"_s, u"два файла"_s);
    row("unknown option", u"IN|OUT.tap|--frobnicate"_s, u"неизвестный ключ «--frobnicate»"_s);
    row("option without its value", u"IN|OUT.tap|--addr"_s, u"после --addr нужно значение"_s);
    row("flag with a value", u"IN|OUT.tap|--force=yes"_s, u"без значения"_s);
    row("set 0", u"IN|OUT.tap|--set|0"_s, u"от 1 до 64"_s);
    row("set 65", u"IN|OUT.tap|--set=65"_s, u"от 1 до 64"_s);
    row("set the font has not", u"IN|OUT.tap|--set|3"_s, u"in%1.SpecCHR» 2 набора, набора 3"_s);
    row("set and all", u"IN|OUT.tap|--set|1|--all"_s, u"исключают"_s);
    row("unknown format", u"IN|OUT.tap|--to|xyz"_s, u"«xyz» неизвестен"_s);
    row("unknown extension", u"IN|OUT.xyz"_s, u"--to"_s);
    row("snapshot extension", u"IN|OUT.z80"_s, u"снимок памяти"_s);
    row("screen read without its cells", u"IN.scr|OUT.tap|--from=scr"_s, u"--cells"_s);
    row("cells for reading a tape", u"IN|OUT.tap|--cells=sheet"_s, u"только для чтения из scr"_s);
    row("screen colour beyond 7", u"IN|OUT.scr|--ink=8"_s, u"от 0 до 7"_s);
    row("screen ink as the paper", u"IN|OUT.scr|--ink=3|--paper=3"_s, u"один цвет"_s);
    row("nine sets on a screen", u"BIG|OUT.scr"_s, u"помещается 8 наборов"_s);
    row("text below the screen", u"IN|OUT.scr|--set=1|--text="_s + QString(24 * 32 + 1, u'A'),
        u"больше 24 строк"_s);
    done("assembler by .z80s", u"IN|OUT.z80s"_s, {}, u"out.z80s"_s);
    row("gph written", u"IN|OUT.gph"_s, u"только прочитать"_s);
    row("assembler read", u"IN|OUT.tap|--from|asm"_s, u"только записать"_s);
    row("loader for assembler", u"IN|OUT.asm|--loader"_s, u"только для записи в tap"_s);
    row("block from SpecCHR", u"IN|OUT.tap|--block|1"_s, u"только для чтения из tap"_s);
    row("address not understood", u"IN|OUT.tap|--addr|64k"_s, u"«64k» не понят"_s);
    row("address in ROM", u"IN|OUT.tap|--addr|16383"_s, u"ПЗУ"_s);
    row("loader below the room kept for BASIC", u"IN|OUT.tap|--loader|--addr|24999"_s,
        u"не ниже 25000, чтобы программе на Бейсике оставался 1 КБ; возьмите адрес от 25000 до "
        u"64000."_s);
    row("loader with a font too long for it", u"BIG|OUT.tap|--loader"_s,
        u"не больше 52 наборов. Выберите набор ключом --set или запишите ленту без --loader."_s);
    row("font past the end of memory", u"IN|OUT.tap|--addr|#FE00"_s, u"64000"_s);
    row("unknown base", u"IN|OUT.asm|--base|oct"_s, u"«oct»"_s);
    done("Z80 assembler by its former name", u"IN|OUT.txt|--to|asm"_s, {}, u"out.txt"_s);
    done("6502 assembler in binary", u"IN|OUT.a65|--base|bin"_s, {}, u"out.a65"_s);
    row("base for Rust", u"IN|OUT.rs|--base|bin"_s,
        u"ключ --base — только для записи в z80asm, x86asm, 6502asm или 68kasm."_s);
    row("first for SpecCHR", u"IN|OUT.tap|--first|32"_s, u"только для чтения из raw"_s);
    row("first above 255", u"IN|OUT.tap|--from|raw|--first|256"_s, u"от 0 до 255"_s);
    row("raw written", u"IN|OUT.raw"_s, u"только прочитать"_s);
    row("two sets to C64", u"IN|OUT.64c"_s, u"В шрифт C64 помещается один набор"_s);
    row("two sets to Atari", u"IN|OUT.fnt"_s, u"один набор"_s);
    row("two sets to CPC", u"IN|OUT.bas"_s, u"один набор"_s);
    row("scale 0", u"IN|OUT.png|--scale|0"_s, u"от 1 до 16"_s);
    row("scale 17", u"IN|OUT.png|--scale|17"_s, u"от 1 до 16"_s);
    row("colour not understood", u"IN|OUT.png|--ink|inky"_s, u"«inky»"_s);
    row("ink as white as the paper", u"IN|OUT.png|--set=1|--ink|white"_s, u"один цвет"_s);
    row("ink for a tape", u"IN|OUT.tap|--ink|red"_s, u"из png или записи в png"_s);
    row("two sets to PSF", u"IN|OUT.psf"_s, u"in%1.SpecCHR» их 2"_s);
    row("two sets to BDF", u"IN|OUT.bdf|--all"_s, u"один набор"_s);
    row("text in two sets", u"IN|OUT.png|--text|A"_s, u"один набор"_s);
    row("text the Spectrum cannot show", u"IN|OUT.png|--set|2|--text|AЖ"_s, u"«Ж»"_s);
    row("empty text", u"IN|OUT.png|--set|2|--text="_s, u"текст пуст"_s);
}

void TestConvert::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    QFETCH(QString, written);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString in = dir.filePath(u"in%1.SpecCHR"_s);
    QVERIFY(writeFile(in, randomBytes(2 * SetBytes, 5)));
    QVERIFY(writeFile(dir.filePath(u"big.SpecCHR"_s), randomBytes(53 * SetBytes, 6)));
    for (QString &argument : arguments)
        argument.replace(u"IN"_s, in)
            .replace(u"BIG"_s, dir.filePath(u"big.SpecCHR"_s))
            .replace(u"OUT"_s, dir.filePath(u"out"_s))
            .replace(u"DIR"_s, dir.path());

    const Run run = runConverter(arguments, dir.path());
    QCOMPARE(run.status, status);
    QVERIFY2((run.output + run.errors).contains(said), qPrintable(run.output + run.errors));
    QStringList files = {u"big.SpecCHR"_s, u"in%1.SpecCHR"_s, written};
    files.removeAll(QString());
    files.sort(Qt::CaseInsensitive);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), files);
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::TestConvert)
#include "test_convert.moc"
