// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/main_window_harness.h"

#include <QCheckBox>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// What the window system holds of a widget once the pending repaints are done. grab() would
// paint the widget on the spot, so a widget that never asked to be repainted would pass.
QImage onScreen(const QWidget *widget, QRect area = {})
{
    QCoreApplication::processEvents();
    area = area.isNull() ? widget->rect() : area;
    const QPoint at = widget->mapTo(widget->window(), area.topLeft());
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), area.width(), area.height())
        .toImage();
}

// The pixels at (x, y, x, y, ...): '#' ink, '.' paper, '+' the grid's light grey.
QString colours(const QImage &image, const QList<int> &xy, QRgb ink, QRgb paper)
{
    QString found;
    for (qsizetype i = 0; i + 1 < xy.size(); i += 2) {
        const QRgb rgb = image.pixel(xy[i], xy[i + 1]);
        found += rgb == ink ? u'#' : rgb == paper ? u'.' : rgb == 0xffc0c0c0 ? u'+' : u'?';
    }
    return found;
}

// The rows holding pixels near a colour: text is smoothed, and only its core comes close.
QList<int> rowsWith(const QImage &image, QRgb colour, int distance = 120)
{
    QList<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb rgb = image.pixel(x, y);
            if (std::abs(qRed(rgb) - qRed(colour)) + std::abs(qGreen(rgb) - qGreen(colour))
                    + std::abs(qBlue(rgb) - qBlue(colour))
                < distance) {
                rows << y;
                break;
            }
        }
    }
    return rows;
}

// Along a line of a surface's picture, the lengths of the runs of ink and paper, one list for
// each character cell between the grid lines; none when any other colour lies among them.
QList<QList<int>> cellRuns(const QImage &picture, int y, QRgb ink, QRgb paper)
{
    constexpr QRgb Grid = 0xffc0c0c0;
    const auto drawn = [&](int x) {
        const QRgb rgb = picture.pixel(x, y);
        return rgb == ink || rgb == paper || rgb == Grid;
    };
    int first = 0;
    int last = picture.width() - 1;
    while (first < last && !drawn(first))
        ++first;
    while (last > first && !drawn(last))
        --last;
    QList<QList<int>> cells = {{}};
    for (int x = first; x <= last; ++x) {
        const QRgb rgb = picture.pixel(x, y);
        if (!drawn(x))
            return {};
        if (rgb == Grid && !cells.last().isEmpty())
            cells.append(QList<int>());
        else if (rgb != Grid && (x == first || picture.pixel(x - 1, y) != rgb))
            cells.last().append(1);
        else if (rgb != Grid)
            ++cells.last().last();
    }
    return cells;
}

} // namespace

class TestSurfaces : public QObject
{
    Q_OBJECT

private slots:
    void surfaces_data()
    {
        QTest::addColumn<QString>("scheme");
        QTest::addColumn<QRgb>("ink");
        QTest::addColumn<QRgb>("paper");
        QTest::newRow("black on white") << u"pal1"_s << 0xff000000u << 0xffffffffu;
        QTest::newRow("white on black") << u"pal2"_s << 0xffffffffu << 0xff000000u;
        QTest::newRow("black on grey") << u"pal6"_s << 0xff000000u << 0xff808080u;
        QTest::newRow("grey on black") << u"pal7"_s << 0xff808080u << 0xff000000u;
        QTest::newRow("blue on black") << u"pal3"_s << 0xff0000ffu << 0xff000000u;
        QTest::newRow("red on black") << u"pal4"_s << 0xffff0000u << 0xff000000u;
        QTest::newRow("light cyan on blue") << u"pal5"_s << 0xff00ffffu << 0xff0000ffu;
    }

    // Pixels put into the font and the square behind their backs show once the scheme redraws
    // them, and a drag paints the square.
    void surfaces()
    {
        QFETCH(QString, scheme);
        QFETCH(QRgb, ink);
        QFETCH(QRgb, paper);
        MainWindowHarness h;
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        QCoreApplication::processEvents(); // painted once: what follows shows only if repainted
        auto &set = h.font().FontPixels[0];
        set[0][0][0] = set[95][7][7] = set[40][3][5] = set[33][0][0] = 1;
        h.font().lastSet = 2;
        for (std::size_t column : {3u, 4u, 5u, 6u, 7u})
            h.state().EditGrid[column][0] = 1;
        h.state().EditGrid[2][5] = 1;
        h.trigger(scheme);
        // Left over columns 0-2 with the back button, which the square ignores, pressed and
        // released on the way; right over 3 and 4; middle over (6,1) and (7,0).
        h.pressSquare({10, 10}, Qt::LeftButton);
        h.moveSquare({42, 10}, Qt::LeftButton);
        h.pressSquare({42, 10}, Qt::BackButton, Qt::LeftButton);
        h.releaseSquare({42, 10}, Qt::BackButton, Qt::LeftButton);
        h.moveSquare({74, 10}, Qt::LeftButton);
        h.releaseSquare({74, 10}, Qt::LeftButton);
        h.pressSquare({106, 10}, Qt::RightButton);
        h.moveSquare({138, 10}, Qt::RightButton);
        h.releaseSquare({138, 10}, Qt::RightButton);
        h.pressSquare({202, 40}, Qt::MiddleButton);
        h.moveSquare({234, 10}, Qt::MiddleButton);
        h.releaseSquare({234, 10}, Qt::MiddleButton);

        // The strip: codes 32 (0,0) and 127 (7,7) at the edge, where no grid line is; code 72
        // with ink at (3,5), paper at (5,3); the grid, over ink too.
        const QImage strip = onScreen(h.child(u"PP"_s), {2, 2, 768, 72});
        QCOMPARE(colours(strip,
                         {0, 0, 767, 71, 202, 40, 208, 34, 5, 24, 767, 48, 744, 71, 24, 25, 25, 24},
                         ink, paper),
                 u"###.+++++"_s);
        // The square: the grid, none at the edge, over paper and ink; the cells row by row.
        QList<int> points {0, 0, 96, 176, 80, 160, 40, 32, 32, 10};
        for (int cell = 0; cell < 64; ++cell)
            points << cell % 8 * 32 + 16 << cell / 8 * 32 + 16;
        QString square
            = u"#++++|###..###|........|........|........|........|..#.....|........|........"_s;
        QCOMPARE(colours(onScreen(h.child(u"P"_s)), points, ink, paper), square.remove(u'|'));
        // A press on the strip selects code 72. The labels: their texts, black on white, the
        // character in the scheme's colours.
        h.pressStrip({8 * 24 + 23.5, 24 + 23.5});
        QStringList texts;
        for (const QString &name : {u"Label2_0"_s, u"Label1_0"_s, u"Label1_1"_s, u"Label2_1"_s}) {
            const bool character = name == u"Label2_1";
            const QImage label = onScreen(h.child(name));
            QCOMPARE(label.pixel(0, 0), character ? paper : 0xffffffff);
            QVERIFY2(!rowsWith(label, character ? ink : 0xff000000).isEmpty(), qPrintable(name));
            texts << h.labelText(name);
        }
        QCOMPARE(texts.join(u'|'), u"Код: 72| 1 из 3| 2304 байт|H"_s);
    }

    // Run at 100 %, 125 % and 150 %: across and down the strip and the square, each font pixel
    // shows as a whole number of screen pixels of its own colour, what shows of font pixels
    // differs by one screen pixel at most, the grid's included, and every character looks the
    // same.
    void sharpAtTheDesktopsScale()
    {
        MainWindowHarness h;
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        for (Glyph &glyph : h.font().FontPixels[0]) { // a checkerboard: no two neighbours alike
            for (int i = 0; i < 64; ++i)
                glyph[std::size_t(i % 8)][std::size_t(i / 8)] = std::uint8_t((i + i / 8) % 2);
        }
        h.state().EditGrid = h.font().FontPixels[0][0];
        h.trigger(u"pal5"_s); // light cyan on blue, beside no colour of the frames around
        const qreal ratio = h.window.devicePixelRatio();
        const QImage window = h.window.grab().toImage(); // painted as on screen, at its ratio
        for (const auto &[name, across, down, fontPixel] :
             {std::tuple(u"PP"_s, 32, 3, 3), std::tuple(u"P"_s, 8, 8, 32)}) {
            const QWidget *surface = h.child(name);
            const QRectF area(surface->mapTo(&h.window, QPoint()), surface->size());
            const QImage shown
                = window.copy(QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect());
            const QImage transposed
                = shown.transformed(QTransform().rotate(90)).mirrored(true, false);
            for (const auto &[picture, cells] :
                 {std::pair(shown, across), std::pair(transposed, down)}) {
                const int line = picture.height() / 2 + int(fontPixel * ratio * 1.5);
                const auto runs = cellRuns(picture, line, 0xff00ffff, 0xff0000ff);
                QCOMPARE(runs.size(), cells);
                QCOMPARE(QSet<QList<int>>(runs.begin() + 1, runs.end()).size(), 1);
                const QList<int> widths = runs.first() + runs.last();
                const auto [narrowest, widest] = std::minmax_element(widths.begin(), widths.end());
                QVERIFY2(*widest - *narrowest <= 1, qPrintable(name));
            }
        }
    }

    // The tick shows only while the box is checked; the caption is written in two lines.
    void checkBoxes()
    {
        MainWindowHarness h;
        QVERIFY(QTest::qWaitForWindowExposed(&h.window));
        for (auto *box : {h.child<QCheckBox>(u"Check1"_s), h.child<QCheckBox>(u"Check2"_s)}) {
            QStyleOptionButton option;
            option.initFrom(box);
            const auto area = [&](QStyle::SubElement e) {
                return onScreen(box, box->style()->subElementRect(e, &option, box));
            };
            const bool ticked = !rowsWith(area(QStyle::SE_CheckBoxIndicator), 0xff000000).isEmpty();
            box->setChecked(false);
            QVERIFY(ticked);
            QVERIFY(rowsWith(area(QStyle::SE_CheckBoxIndicator), 0xff000000).isEmpty());
            // Two lines: a gap between the rows that hold dark pixels.
            const QList<int> text = rowsWith(area(QStyle::SE_CheckBoxContents), 0xff000000, 300);
            QVERIFY(!text.isEmpty() && text.last() - text.first() + 1 > text.size());
        }
    }
};

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestSurfaces)
#include "test_surfaces.moc"
