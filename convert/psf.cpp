// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"
#include "convert/glyph_choice.h"

#include <QString>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr char Psf1Magic[] = "\x36\x04";
constexpr char Psf2Magic[] = "\x72\xb5\x4a\x86";
constexpr int Psf1HeaderBytes = 4;
constexpr int Psf2HeaderBytes = 32;
constexpr std::uint8_t Psf1Has512 = 0x01;
constexpr std::uint8_t Psf1HasTable = 0x06; // a table, with or without sequences
constexpr quint32 Psf2HasTable = 0x01;
constexpr std::uint8_t Psf2EndOfGlyph = 0xff;
constexpr std::uint8_t Psf2Sequence = 0xfe;
constexpr quint16 Psf1EndOfGlyph = 0xffff;
constexpr quint16 Psf1Sequence = 0xfffe;
// The written font puts each character at its own code, as console fonts put ASCII.
constexpr int WrittenGlyphs = 256;

quint32 littleEndian(QByteArrayView bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// The glyphs of a font and where its Unicode table starts (-1: it has none).
struct Glyphs
{
    QByteArrayView bitmaps;
    qsizetype count = 0;
    qsizetype table = -1;
    QString error;
};

QString cutShort(qint64 glyphs)
{
    return u"файл обрезан: в нём нет всех %1."_s.arg(
        counted(glyphs, u"глифа", u"глифов", u"глифов"));
}

Glyphs psf1Glyphs(QByteArrayView bytes)
{
    if (bytes.size() < Psf1HeaderBytes)
        return {{}, 0, -1, u"файл обрезан посреди заголовка PSF 1."_s};
    const auto mode = static_cast<std::uint8_t>(bytes[2]);
    const auto height = static_cast<std::uint8_t>(bytes[3]);
    if (height != GlyphSize)
        return {{}, 0, -1, u"глифы размером 8×%1 точек, а нужны 8×8."_s.arg(height)};
    const qsizetype count = mode & Psf1Has512 ? 512 : 256;
    if (bytes.size() < Psf1HeaderBytes + count * GlyphSize)
        return {{}, 0, -1, cutShort(count)};
    return {bytes.sliced(Psf1HeaderBytes, count * GlyphSize),
            count,
            mode & Psf1HasTable ? Psf1HeaderBytes + count * GlyphSize : -1,
            {}};
}

Glyphs psf2Glyphs(QByteArrayView bytes)
{
    if (bytes.size() < Psf2HeaderBytes)
        return {{}, 0, -1, u"файл обрезан посреди заголовка PSF 2."_s};
    const quint64 headerSize = littleEndian(bytes, 8, 4);
    const quint32 flags = littleEndian(bytes, 12, 4);
    const quint64 count = littleEndian(bytes, 16, 4);
    const quint32 glyphBytes = littleEndian(bytes, 20, 4);
    const quint32 height = littleEndian(bytes, 24, 4);
    const quint32 width = littleEndian(bytes, 28, 4);
    if (width != GlyphSize || height != GlyphSize)
        return {{}, 0, -1, u"глифы размером %1×%2 точек, а нужны 8×8."_s.arg(width).arg(height)};
    if (glyphBytes != GlyphSize)
        return {{}, 0, -1, u"на глиф 8×8 приходится %1 вместо 8."_s.arg(byteCount(glyphBytes))};
    if (count == 0)
        return {{}, 0, -1, u"в шрифте нет ни одного глифа."_s};
    if (headerSize < Psf2HeaderBytes || headerSize + count * GlyphSize > quint64(bytes.size()))
        return {{}, 0, -1, cutShort(qint64(count))};
    const auto start = qsizetype(headerSize);
    const auto size = qsizetype(count * GlyphSize);
    return {
        bytes.sliced(start, size), qsizetype(count), flags & Psf2HasTable ? start + size : -1, {}};
}

// PSF 1 tables are 16-bit characters, each glyph's list ended by FFFF; FFFE starts the
// sequences of combining characters, which name no single character and are skipped.
QString psf1Table(QByteArrayView table, qsizetype count, GlyphChoice &choice)
{
    qsizetype at = 0;
    for (qsizetype glyph = 0; glyph < count; ++glyph) {
        bool sequences = false;
        for (;;) {
            if (table.size() - at < 2)
                return u"таблица Юникода обрезана на глифе %1."_s.arg(glyph);
            const auto unicode = quint16(littleEndian(table, at, 2));
            at += 2;
            if (unicode == Psf1EndOfGlyph)
                break;
            sequences = sequences || unicode == Psf1Sequence;
            if (!sequences)
                choice.offer(unicode, int(glyph));
        }
    }
    return {};
}

// PSF 2 tables are UTF-8, each glyph's list ended by FF; FE starts the sequences.
QString psf2Table(QByteArrayView table, qsizetype count, GlyphChoice &choice)
{
    qsizetype at = 0;
    for (qsizetype glyph = 0; glyph < count; ++glyph) {
        const qsizetype end = table.indexOf(char(Psf2EndOfGlyph), at);
        if (end < 0)
            return u"таблица Юникода обрезана на глифе %1."_s.arg(glyph);
        QByteArrayView list = table.sliced(at, end - at);
        const qsizetype sequences = list.indexOf(char(Psf2Sequence));
        if (sequences >= 0)
            list.truncate(sequences);
        for (const char32_t unicode : QString::fromUtf8(list).toUcs4())
            choice.offer(unicode, int(glyph));
        at = end + 1;
    }
    return {};
}

void appendUtf8(QByteArray &bytes, char32_t unicode)
{
    bytes += QString::fromUcs4(&unicode, 1).toUtf8();
}

} // namespace

FontRead readPsf(QByteArrayView bytes)
{
    const bool psf1 = bytes.startsWith(QByteArrayView(Psf1Magic, 2));
    if (!psf1 && !bytes.startsWith(QByteArrayView(Psf2Magic, 4)))
        return {{}, u"это не шрифт PSF: в начале нет подписи PSF 1 или PSF 2."_s, {}};
    const Glyphs glyphs = psf1 ? psf1Glyphs(bytes) : psf2Glyphs(bytes);
    if (!glyphs.error.isEmpty())
        return {{}, glyphs.error, {}};
    // Without a table the glyphs stand in code order, as in the VGA's own fonts.
    if (glyphs.table < 0) {
        return setFromGlyphs(glyphs.bitmaps, [&](int character) {
            return FirstCode + character < glyphs.count ? FirstCode + character : -1;
        });
    }
    GlyphChoice choice;
    const QByteArrayView table = bytes.sliced(glyphs.table);
    const QString error
        = psf1 ? psf1Table(table, glyphs.count, choice) : psf2Table(table, glyphs.count, choice);
    if (!error.isEmpty())
        return {{}, error, {}};
    return setFromGlyphs(glyphs.bitmaps, [&](int character) { return choice.glyphFor(character); });
}

// The table also names "^" and "`" for the Spectrum's "↑" and "£", so that a console using
// the font shows them rather than its placeholder.
QByteArray writePsf(QByteArrayView set)
{
    QByteArray bytes(Psf2Magic, 4);
    for (const quint32 field : {0u, quint32(Psf2HeaderBytes), Psf2HasTable, quint32(WrittenGlyphs),
                                quint32(GlyphSize), quint32(GlyphSize), quint32(GlyphSize)}) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.append(char(field >> shift & 0xff));
    }
    QByteArray glyphs(WrittenGlyphs * GlyphSize, '\0');
    glyphs.replace(FirstCode * GlyphSize, SetBytes, set.first(SetBytes));
    bytes += glyphs;
    for (int code = 0; code < WrittenGlyphs; ++code) {
        if (code >= FirstCode && code < FirstCode + CharsPerSet) {
            appendUtf8(bytes, unicodeOfCode(code));
            if (asciiStandIn(code) != 0)
                appendUtf8(bytes, asciiStandIn(code));
        }
        bytes.append(char(Psf2EndOfGlyph));
    }
    return bytes;
}

} // namespace Glyphery
