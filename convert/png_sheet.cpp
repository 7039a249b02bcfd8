// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/formats.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// A sheet holds each set as a block of cells, the blocks one under another.
struct Layout
{
    int columns;
    int rows;
};

constexpr Layout Layouts[] = {{32, 3}, {16, 6}, {96, 1}};
constexpr Layout WrittenLayout = Layouts[0];

// A cell's set and character; -1 for a cell left as paper.
struct Cell
{
    int set;
    int character;
};
using CellAt = std::function<Cell(int column, int row)>;

const Layout *layoutOf(QSize size)
{
    for (const Layout &layout : Layouts) {
        const int setHeight = layout.rows * GlyphSize;
        if (size.width() == layout.columns * GlyphSize && size.height() > 0
            && size.height() % setHeight == 0 && size.height() / setHeight <= MaxSets)
            return &layout;
    }
    return nullptr;
}

QString sizeReason(QSize size)
{
    return u"картинка %1×%2 точек — не лист шрифта: лист — это клетки 8×8 по 32×3, 16×6 или 96×1 "
           u"на набор, то есть 256×24, 128×48 или 768×8 точек, и до 64 наборов один под другим."_s
               .arg(size.width())
               .arg(size.height());
}

FontRead damaged()
{
    return {{}, u"картинку PNG не удалось распаковать: файл повреждён."_s, {}};
}

// Dark and not see-through: what a reader of the picture would call ink.
bool isInk(QRgb pixel)
{
    return qAlpha(pixel) >= 128 && qGray(pixel) < 128;
}

std::uint8_t rowFromImage(const QImage &image, int left, int y)
{
    const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    unsigned row = 0;
    for (int x = 0; x < GlyphSize; ++x)
        row |= unsigned(isInk(line[left + x])) << (7 - x);
    return static_cast<std::uint8_t>(row);
}

// The bytes a row byte becomes when each pixel is scale pixels wide: scale bytes a row byte.
std::vector<uchar> widenedRows(int scale)
{
    std::vector<uchar> table(toIndex(256 * scale), 0);
    for (int bits = 0; bits < 256; ++bits) {
        uchar *widened = &table[toIndex(bits * scale)];
        for (int pixel = 0; pixel < GlyphSize * scale; ++pixel) {
            if (bits >> (7 - pixel / scale) & 1)
                widened[pixel / 8] = uchar(widened[pixel / 8] | 0x80 >> (pixel % 8));
        }
    }
    return table;
}

// A one-bit picture of columns × rows cells, each pixel a scale × scale square. A cell's row
// is scale whole bytes of a line, so lines are put together from bytes, and each line is
// then copied scale - 1 times: pixel by pixel, a sheet of 64 sets took milliseconds.
QImage drawCells(QByteArrayView font, int columns, int rows, const CellAt &cellAt,
                 const PngOptions &options)
{
    const int scale = options.scale;
    QImage image(columns * GlyphSize * scale, rows * GlyphSize * scale, QImage::Format_Mono);
    if (image.isNull())
        return image;
    image.setColorTable({options.paper, options.ink});
    image.fill(0);
    const std::vector<uchar> widened = widenedRows(scale);
    const auto lineBytes = size_t(image.bytesPerLine());
    for (int cellRow = 0; cellRow < rows; ++cellRow) {
        const int top = cellRow * GlyphSize * scale;
        for (int column = 0; column < columns; ++column) {
            const Cell cell = cellAt(column, cellRow);
            if (cell.set < 0)
                continue;
            for (int row = 0; row < GlyphSize; ++row) {
                const std::uint8_t bits = rowOf(font, cell.set, cell.character, row);
                std::memcpy(image.scanLine(top + row * scale) + column * scale,
                            &widened[toIndex(bits * scale)], toIndex(scale));
            }
        }
        for (int line = 0; line < GlyphSize * scale; ++line) {
            if (line % scale != 0)
                std::memcpy(image.scanLine(top + line), image.constScanLine(top + line - 1),
                            lineBytes);
        }
    }
    return image;
}

// zlib's fastest level: a scaled sheet repeats every byte and every line, on which the
// default level searches its matches for six times as long, for a file a seventh smaller.
QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(1);
    writer.write(image);
    return bytes;
}

// The code of a character of the text; -1 for one the Spectrum has not.
int codeOf(char32_t unicode)
{
    for (int code = FirstCode; code < FirstCode + CharsPerSet; ++code) {
        if (unicode == unicodeOfCode(code) || unicode == asciiStandIn(code))
            return code;
    }
    return -1;
}

} // namespace

// The size is checked from the header before the picture is unpacked, so a file that claims
// a huge picture costs nothing.
FontRead readPngSheet(QByteArrayView bytes)
{
    // Qt's reader would take the file for a PNG on looser grounds than its signature.
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return {{}, u"это не картинка PNG."_s, {}};
    QBuffer buffer;
    buffer.setData(bytes.toByteArray());
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const QSize size = reader.size();
    if (!size.isValid())
        return damaged();
    const Layout *layout = layoutOf(size);
    if (!layout)
        return {{}, sizeReason(size), {}};
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    if (image.size() != size)
        return damaged();

    const int sets = size.height() / (layout->rows * GlyphSize);
    QByteArray font(sets * SetBytes, Qt::Uninitialized);
    auto *out = reinterpret_cast<std::uint8_t *>(font.data());
    for (int set = 0; set < sets; ++set) {
        for (int character = 0; character < CharsPerSet; ++character) {
            const int left = character % layout->columns * GlyphSize;
            const int top = (set * layout->rows + character / layout->columns) * GlyphSize;
            for (int row = 0; row < GlyphSize; ++row)
                *out++ = rowFromImage(image, left, top + row);
        }
    }
    return {font, {}, {}};
}

QByteArray writePngSheet(QByteArrayView font, const PngOptions &options)
{
    constexpr int columns = WrittenLayout.columns;
    constexpr int rows = WrittenLayout.rows;
    return pngBytes(drawCells(
        font, columns, rows * setCountOf(font),
        [](int column, int row) {
            return Cell {row / rows, row % rows * columns + column};
        },
        options));
}

Encoded writePngText(QByteArrayView set, const QString &text, const PngOptions &options)
{
    QList<QList<int>> lines;
    int columns = 0;
    for (const QString &line : text.split(u'\n')) {
        QList<int> codes;
        for (const char32_t unicode : line.toUcs4()) {
            const int code = codeOf(unicode);
            if (code < 0)
                return {
                    {},
                    u"в тексте есть знак «%1», а у Spectrum только символы с кодами 32..127."_s.arg(
                        QString::fromUcs4(&unicode, 1))};
            codes.append(code);
        }
        columns = std::max(columns, int(codes.size()));
        lines.append(codes);
    }
    if (columns == 0)
        return {{}, u"текст пуст."_s};
    const QImage image = drawCells(
        set, columns, int(lines.size()),
        [&](int column, int row) {
            const QList<int> &codes = lines[row];
            return column < codes.size() ? Cell {0, codes[column] - FirstCode} : Cell {-1, -1};
        },
        options);
    if (image.isNull())
        return {{}, u"картинка вышла бы слишком большой; уменьшите текст или --scale."_s};
    return {pngBytes(image), {}};
}

} // namespace Glyphery
