// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/png_codec.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QStringList>

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

struct Layout
{
    int columns;
    int rows;
};

constexpr Layout Layouts[] = {{32, 3}, {16, 6}, {96, 1}};
constexpr Layout WrittenLayout = Layouts[0];

// The note a written sheet carries of its two colours.
const QString InkNote = u"Glyphery ink"_s;
const QString PaperNote = u"Glyphery paper"_s;

// Where the cells of a sheet lie: cells of 8 × 8 squares of scale × scale points, with a line
// of `grid` points between neighbouring cells and of `frame` points around them all.
struct Geometry
{
    Layout layout;
    int scale;
    int grid;
    int frame;
    int sets;

    int pitch() const { return GlyphSize * scale + grid; }
    int extent(int cells) const { return cells * pitch() - grid + 2 * frame; }

    // For each point across the picture, where the glyph pixel it shows lies among the font's
    // pixels (in SpecCHR order, a pixel a place); -1 for a point of a line.
    std::vector<int> columnPlaces(int width) const
    {
        return places(width,
                      [](int cell, int pixel) { return cell * GlyphSize * GlyphSize + pixel; });
    }
    // The same down the picture, for the rest of a pixel's place.
    std::vector<int> rowPlaces(int height) const
    {
        return places(height, [this](int cell, int pixel) {
            const int set = cell / layout.rows;
            const int firstCharacter = cell % layout.rows * layout.columns;
            return ((set * CharsPerSet + firstCharacter) * GlyphSize + pixel) * GlyphSize;
        });
    }

private:
    template<typename Place> std::vector<int> places(int points, Place place) const
    {
        std::vector<int> found(toIndex(points), -1);
        for (int point = 0; point < points; ++point) {
            const int within = (point - frame) % pitch();
            if (point >= frame && point < points - frame && within < GlyphSize * scale)
                found[toIndex(point)] = place((point - frame) / pitch(), within / scale);
        }
        return found;
    }
};

// Every sheet a picture of this size can be, the fewest sets first, and of as many sets the
// largest squares: a picture is never read as more sets than it shows.
std::vector<Geometry> geometriesOf(QSize size)
{
    // No lines, a grid between the cells, a grid with a frame around them.
    constexpr std::pair<int, int> Lines[] = {{0, 0}, {1, 0}, {1, 1}};
    std::vector<Geometry> found;
    for (const Layout &layout : Layouts) {
        for (int scale = 1; scale <= MaxPngScale; ++scale) {
            for (const auto &[grid, frame] : Lines) {
                Geometry geometry {layout, scale, grid, frame, 0};
                const int setHeight = layout.rows * geometry.pitch();
                const qint64 height = qint64(size.height()) + grid - 2 * frame;
                if (size.width() != geometry.extent(layout.columns) || height % setHeight != 0)
                    continue;
                geometry.sets = int(std::min<qint64>(height / setHeight, MaxSets + 1));
                if (geometry.sets >= 1 && geometry.sets <= MaxSets)
                    found.push_back(geometry);
            }
        }
    }
    std::stable_sort(found.begin(), found.end(), [](const Geometry &a, const Geometry &b) {
        return a.sets != b.sets ? a.sets < b.sets : a.scale > b.scale;
    });
    return found;
}

QString sizeReason(QSize size)
{
    return u"картинка %1×%2 точек — не лист шрифта. В листе на набор 32×3, 16×6 или 96×1 клеток "
           u"по 8×8 точек шрифта, каждая точка шрифта — квадрат от 1×1 до 16×16 точек картинки, "
           u"между клетками может идти линия сетки в одну точку (и рамка вокруг них), до 64 "
           u"наборов один под другим: например, 256×24 точки на набор."_s.arg(size.width())
               .arg(size.height());
}

// The points of the picture a line at a time as ARGB, converted a band of lines at a time: a
// whole sheet at scale 16 would take hundreds of megabytes as ARGB.
class ArgbLines
{
public:
    explicit ArgbLines(const QImage &image)
        : m_image(image)
    {
    }

    const QRgb *line(int y)
    {
        if (m_band.isNull() || y < m_top || y >= m_top + m_band.height()) {
            m_top = y;
            m_band = m_image.copy(0, y, m_image.width(), std::min(256, m_image.height() - y))
                         .convertToFormat(QImage::Format_ARGB32);
        }
        return reinterpret_cast<const QRgb *>(m_band.constScanLine(y - m_top));
    }

private:
    const QImage &m_image;
    QImage m_band;
    int m_top = 0;
};

// Lightness for telling ink from paper: qGray, and a see-through point as far below black as
// black is below white, so that it is a colour of its own.
int lightnessOf(QRgb point)
{
    return qAlpha(point) < 128 ? -256 : qGray(point);
}

int distance(QRgb a, QRgb b)
{
    const auto square = [](int d) { return d * d; };
    return square(qAlpha(a) - qAlpha(b)) + square(qRed(a) - qRed(b)) + square(qGreen(a) - qGreen(b))
        + square(qBlue(a) - qBlue(b));
}

// Ink and paper told apart by lightness is unsure below this difference (of 255).
constexpr int LeastContrast = 32;

// How the points of a sheet are told ink or paper.
class Colours
{
public:
    Colours(const PngOptions &given, const QImage &image)
        : m_ink(given.ink)
        , m_paper(given.paper)
    {
        const QColor ink = QColor::fromString(image.text(InkNote));
        const QColor paper = QColor::fromString(image.text(PaperNote));
        if (ink.isValid() && paper.isValid() && ink != paper)
            m_note = {ink.rgba(), paper.rgba()};
    }

    // Pass one: every point of the cells. Pictures have few colours and long runs of one.
    void see(QRgb point)
    {
        if (m_seen && point == *m_seen)
            return;
        m_seen = point;
        const int lightness = lightnessOf(point);
        m_darkest = std::min(m_darkest, lightness);
        m_lightest = std::max(m_lightest, lightness);
        m_noted = m_noted && m_note && (point == m_note->first || point == m_note->second);
        if (m_known.size() < 2 && !m_known.contains(point))
            m_known.append(point);
    }

    // After pass one: the reason the points cannot be told apart, or nothing.
    QString settle()
    {
        if (m_noted && !m_ink && !m_paper) {
            m_ink = m_note->first;
            m_paper = m_note->second;
        }
        if (m_ink && m_paper)
            return {};
        if (m_ink || m_paper) {
            // The other group is the point farthest in lightness from the colour given.
            const int given = lightnessOf(m_ink ? *m_ink : *m_paper);
            const int other = given - m_darkest > m_lightest - given ? m_darkest : m_lightest;
            m_split = given + other;
            m_givenDark = given < other;
            return {};
        }
        if (m_known.size() < 2)
            return u"в картинке один цвет: чернила не отличить от бумаги."_s;
        if (m_lightest - m_darkest < LeastContrast)
            return u"цвета картинки почти одной светлоты, чернила не отличить от бумаги; назовите "
                   u"их ключами --ink и --paper."_s;
        m_split = m_darkest + m_lightest;
        return {};
    }

    // Pass two: 1 for ink; without a colour given, 1 for the darker group, which decide() may
    // then turn round.
    int groupOf(QRgb point)
    {
        if (m_grouped && point == m_grouped->first)
            return m_grouped->second;
        m_grouped = {point, newGroupOf(point)};
        return m_grouped->second;
    }

    bool decided() const { return m_ink || m_paper; }

private:
    int newGroupOf(QRgb point) const
    {
        if (m_ink && m_paper)
            return distance(point, *m_ink) < distance(point, *m_paper) ? 1 : 0;
        const bool dark = 2 * lightnessOf(point) < m_split;
        if (m_ink)
            return dark == m_givenDark ? 1 : 0;
        if (m_paper)
            return dark == m_givenDark ? 0 : 1;
        return dark ? 1 : 0;
    }

    std::optional<QRgb> m_ink;
    std::optional<QRgb> m_paper;
    std::optional<std::pair<QRgb, QRgb>> m_note;
    bool m_noted = true;
    QList<QRgb> m_known; // the first two colours seen
    std::optional<QRgb> m_seen;
    std::optional<std::pair<QRgb, int>> m_grouped;
    int m_darkest = 256;
    int m_lightest = -257;
    int m_split = 0; // twice the lightness halfway between the groups
    bool m_givenDark = false;
};

// The glyph pixels of a sheet: 1 ink, 0 paper, in SpecCHR order of bytes and bits.
class Cells
{
public:
    explicit Cells(int sets)
        : m_pixels(toIndex(sets * SetBytes * GlyphSize), -1)
    {
    }

    // Whether the point agrees with the others of its square.
    bool put(int place, int group)
    {
        signed char &pixel = m_pixels[toIndex(place)];
        if (pixel >= 0 && pixel != group)
            return false;
        pixel = static_cast<signed char>(group);
        return true;
    }

    // Paper is the group that fills most of the cells' borders, or else the more common one;
    // false when the groups are even in both.
    bool decide()
    {
        qint64 border = 0;
        qint64 all = 0;
        for (std::size_t i = 0; i < m_pixels.size(); ++i) {
            const int sign = m_pixels[i] == 1 ? 1 : -1;
            const std::size_t row = i / GlyphSize % GlyphSize;
            const std::size_t column = i % GlyphSize;
            if (row == 0 || row == GlyphSize - 1 || column == 0 || column == GlyphSize - 1)
                border += sign;
            all += sign;
        }
        const qint64 inkLead = border != 0 ? border : all;
        if (inkLead > 0) {
            for (signed char &pixel : m_pixels)
                pixel = static_cast<signed char>(1 - pixel);
        }
        return inkLead != 0;
    }

    QByteArray font() const
    {
        QByteArray font(qsizetype(m_pixels.size() / GlyphSize), '\0');
        for (std::size_t i = 0; i < m_pixels.size(); ++i) {
            if (m_pixels[i] == 1)
                font[qsizetype(i / GlyphSize)] |= char(0x80 >> (i % GlyphSize));
        }
        return font;
    }

private:
    std::vector<signed char> m_pixels;
};

// The font of a sheet of this geometry, or the reason the picture is not one.
FontRead readCells(const QImage &image, const Geometry &geometry, const PngOptions &options)
{
    ArgbLines lines(image);
    Colours colours(options, image);
    const std::vector<int> columns = geometry.columnPlaces(image.width());
    const std::vector<int> rows = geometry.rowPlaces(image.height());
    std::optional<QRgb> lineColour;
    const int width = image.width();
    const int height = image.height();
    for (int y = 0; y < height; ++y) {
        const QRgb *line = lines.line(y);
        for (int x = 0; x < width; ++x) {
            if (rows[toIndex(y)] >= 0 && columns[toIndex(x)] >= 0)
                colours.see(line[x]);
            else if (lineColour.value_or(line[x]) != line[x])
                return {{}, u"линии сетки между клетками не одного цвета."_s, {}};
            else
                lineColour = line[x];
        }
    }
    if (const QString reason = colours.settle(); !reason.isEmpty())
        return {{}, reason, {}};

    Cells cells(geometry.sets);
    for (int y = 0; y < height; ++y) {
        const QRgb *line = lines.line(y);
        const int row = rows[toIndex(y)];
        for (int x = 0; x < width && row >= 0; ++x) {
            const int column = columns[toIndex(x)];
            if (column >= 0 && !cells.put(row + column, colours.groupOf(line[x])))
                return {{},
                        u"точки шрифта — не квадраты %1×%1 точек картинки одного цвета."_s.arg(
                            geometry.scale),
                        {}};
        }
    }
    if (!colours.decided() && !cells.decide())
        return {{},
                u"не понять, где чернила, а где бумага: обоих цветов поровну и на краях клеток, "
                u"и во всей картинке; назовите один ключом --ink или --paper."_s,
                {}};
    return {cells.font(), {}, {}};
}

// libpng writes its errors straight to the standard error, past Qt's message handler, and in
// English. The converter tells every failure in Russian itself, so while libpng works its
// lines go nowhere.
class LibpngSilenced
{
public:
    LibpngSilenced()
        : m_saved(::fcntl(STDERR_FILENO, F_DUPFD_CLOEXEC, 0))
    {
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0) {
            ::dup2(nowhere, STDERR_FILENO);
            ::close(nowhere);
        }
    }
    ~LibpngSilenced()
    {
        if (m_saved >= 0) {
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
        }
    }
    LibpngSilenced(const LibpngSilenced &) = delete;
    LibpngSilenced &operator=(const LibpngSilenced &) = delete;

private:
    int m_saved;
};

FontRead damaged()
{
    return {{}, u"картинку PNG не удалось распаковать: файл повреждён."_s, {}};
}

// Whether every chunk of the file lies within it, up to IEND. libpng allocates a chunk's
// stated length before it reads the chunk, so 450 bytes that claim a text chunk of 1.9 GB
// cost 1.9 GB and seconds; a file cut short or claiming more than it holds is damaged anyway.
bool chunksFit(QByteArrayView bytes)
{
    qsizetype at = 8; // past the signature
    while (bytes.size() - at >= 12) { // length, type, data, checksum
        quint32 length = 0;
        for (int i = 0; i < 4; ++i)
            length = length << 8 | static_cast<std::uint8_t>(bytes[at + i]);
        if (length > quint64(bytes.size() - at - 12))
            return false;
        if (bytes.sliced(at + 4, 4) == "IEND")
            return true;
        at += 12 + qsizetype(length);
    }
    return false;
}

// Qt refuses a picture that would take more than its allocation limit as 32-bit points (128
// MB), which a written sheet of 64 sets at 16× exceeds although it is one bit a point. A
// picture whose size is a sheet's is read whatever it takes; its size is bounded by the
// sheets there are.
QImage readWhole(QImageReader &reader, QSize size)
{
    const int limit = QImageReader::allocationLimit();
    const qint64 megabytes = qint64(size.width()) * size.height() * 4 / (1024 * 1024) + 1;
    QImageReader::setAllocationLimit(int(std::max<qint64>(limit, megabytes)));
    const QImage image = reader.read();
    QImageReader::setAllocationLimit(limit);
    return image;
}

// A cell's set and character; -1 for a cell left as paper.
struct Cell
{
    int set;
    int character;
};
using CellAt = std::function<Cell(int column, int row)>;

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

QString colourName(QRgb colour)
{
    return QColor::fromRgba(colour).name(QColor::HexArgb);
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
    const QRgb ink = options.ink.value_or(DefaultInk);
    const QRgb paper = options.paper.value_or(DefaultPaper);
    image.setColorTable({paper, ink});
    image.setText(InkNote, colourName(ink));
    image.setText(PaperNote, colourName(paper));
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

Encoded encoderFailure(const QString &reason)
{
    return {{}, reason, true};
}

Encoded pngBytes(const QImage &image);

// zlib's fastest level: a scaled sheet repeats every byte and every line, on which the
// default level searches its matches for six times as long, for a file a seventh smaller.
// Qt maps its compression of 0..100 onto zlib's levels 0..9, so level 1 is 11 (1 was level 0,
// no compression at all).
Encoded pngOf(QByteArrayView font, int columns, int rows, const CellAt &cellAt,
              const PngOptions &options)
{
    const qint64 width = qint64(columns) * GlyphSize * options.scale;
    const qint64 height = qint64(rows) * GlyphSize * options.scale;
    if (width > MaxPngSide || height > MaxPngSide)
        return encoderFailure(
            u"картинка вышла бы %1×%2 точек, а в PNG не бывает больше %3 "
            u"точек в ширину или в высоту; уменьшите текст или --scale."_s.arg(width)
                .arg(height)
                .arg(MaxPngSide));
    const QImage image = drawCells(font, columns, rows, cellAt, options);
    if (image.isNull())
        return encoderFailure(
            u"на картинку %1×%2 точек не хватило памяти."_s.arg(width).arg(height));
    return pngBytes(image);
}

Encoded pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setCompression(11);
    const LibpngSilenced silenced;
    if (!writer.write(image) || bytes.isEmpty())
        return encoderFailure(
            u"библиотека libpng не смогла записать картинку %1×%2 точек."_s.arg(image.width())
                .arg(image.height()));
    return {bytes, {}};
}

// The size is checked from the header before the picture is unpacked, so a file that claims
// a picture of another size costs nothing.
FontRead readSheet(QByteArrayView bytes, const PngOptions &options)
{
    // Qt's reader would take the file for a PNG on looser grounds than its signature.
    if (!bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return {{}, u"это не картинка PNG."_s, {}};
    if (!chunksFit(bytes))
        return damaged();
    QBuffer buffer;
    buffer.setData(bytes.toByteArray());
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    const LibpngSilenced silenced;
    const QSize size = reader.size();
    if (!size.isValid())
        return damaged();
    const std::vector<Geometry> geometries = geometriesOf(size);
    if (geometries.empty())
        return {{}, sizeReason(size), {}};
    const QImage image = readWhole(reader, size);
    if (image.size() != size)
        return damaged();
    FontRead first;
    for (const Geometry &geometry : geometries) {
        FontRead read = readCells(image, geometry, options);
        if (read.error.isEmpty())
            return read;
        if (first.error.isEmpty())
            first = read;
    }
    return first;
}

Encoded writeSheet(QByteArrayView font, const PngOptions &options)
{
    constexpr int columns = WrittenLayout.columns;
    constexpr int rows = WrittenLayout.rows;
    return pngOf(
        font, columns, rows * setCountOf(font),
        [](int column, int row) {
            return Cell {row / rows, row % rows * columns + column};
        },
        options);
}

Encoded writeThumbnail(QByteArrayView set, int size)
{
    constexpr int columns = 16;
    const int scale = std::max(1, size / (columns * GlyphSize));
    const QImage image = drawCells(set, columns, CharsPerSet / columns,
                                   [](int column, int row) {
                                       return Cell {0, row * columns + column};
                                   },
                                   {scale, {}, {}});
    if (image.width() <= size)
        return pngBytes(image);
    return pngBytes(
        image.convertToFormat(QImage::Format_RGB32).scaledToWidth(size, Qt::SmoothTransformation));
}

Encoded writeText(QByteArrayView set, const QString &text, const PngOptions &options)
{
    const TextCodes codes = textCodes(text);
    if (!codes.error.isEmpty())
        return {{}, codes.error};
    const QList<QList<int>> &lines = codes.lines;
    int columns = 0;
    for (const QList<int> &line : lines)
        columns = std::max(columns, int(line.size()));
    if (columns == 0)
        return {{}, u"текст пуст."_s};
    return pngOf(
        set, columns, int(lines.size()),
        [&](int column, int row) {
            const QList<int> &line = lines[row];
            return column < line.size() ? Cell {0, line[column] - FirstCode} : Cell {-1, -1};
        },
        options);
}

std::optional<Colour> colourNamed(const QString &text)
{
    const QColor colour = QColor::fromString(text);
    return colour.isValid() ? std::optional<Colour>(colour.rgba()) : std::nullopt;
}

constexpr PngCodec Codec = {readSheet, writeSheet, writeText, writeThumbnail, colourNamed};

} // namespace

} // namespace Glyphery

const Glyphery::PngCodec *glypheryPngCodec()
{
    return &Glyphery::Codec;
}
