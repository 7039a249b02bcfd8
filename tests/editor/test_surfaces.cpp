// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/main_window_harness.h"

#include <QCheckBox>
#include <QScreen>
#include <QStyleOptionButton>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr QRgb Black = 0xff000000, White = 0xffffffff, Grey = 0xffc0c0c0;

// What the window system holds of a widget once the pending repaints are done. grab() would
// paint the widget on the spot, so a widget that never asked to be repainted would pass.
QImage onScreen(const QWidget *widget, QRect area = {})
{
    QCoreApplication::processEvents();
    area = area.isNull() ? widget->rect() : area;
    const QPoint at = widget->mapTo(widget->window(), area.topLeft());
    return widget->screen()
        ->grabWindow(widget->window()->winId(), at.x(), at.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Shown and painted once: what is drawn later reaches the screen only through a repaint.
bool painted(MainWindowHarness &h)
{
    const bool exposed = QTest::qWaitForWindowExposed(&h.window);
    QCoreApplication::processEvents();
    return exposed;
}

QList<QRgb> pixels(const QImage &image, const QList<QPoint> &points)
{
    QList<QRgb> found;
    for (QPoint point : points)
        found.append(image.pixel(point));
    return found;
}

int count(const QImage &image, const std::function<bool(QRgb)> &matches)
{
    int found = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            found += matches(image.pixel(x, y)) ? 1 : 0;
    }
    return found;
}

// Text is smoothed: its darkest pixels come near its colour without reaching it.
bool near(QRgb rgb, QRgb colour)
{
    return std::abs(qRed(rgb) - qRed(colour)) + std::abs(qGreen(rgb) - qGreen(colour))
        + std::abs(qBlue(rgb) - qBlue(colour))
        < 120;
}

bool isDark(QRgb rgb)
{
    return qGray(rgb) < 96;
}

// Runs of rows holding dark pixels.
int textLines(const QImage &image)
{
    int lines = 0;
    bool inLine = false;
    for (int y = 0; y < image.height(); ++y) {
        const bool dark = count(image.copy(0, y, image.width(), 1), isDark) > 0;
        lines += dark && !inLine ? 1 : 0;
        inLine = dark;
    }
    return lines;
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
        QTest::newRow("black on white") << u"pal1"_s << Black << White;
        QTest::newRow("light cyan on blue") << u"pal5"_s << 0xff00ffffu << 0xff0000ffu;
    }

    // Pixels put into the font behind the strip's back show once a scheme redraws it. Codes 32
    // (0,0) and 127 (7,7) meet the edge, where no grid line is; code 72 holds ink at (3,5) and
    // paper at (5,3); the grid lies over ink too.
    void overviewStrip_data() { surfaces_data(); }
    void overviewStrip()
    {
        QFETCH(QString, scheme);
        QFETCH(QRgb, ink);
        QFETCH(QRgb, paper);
        MainWindowHarness h;
        QVERIFY(painted(h));
        QWidget *strip = h.child(u"PP"_s);
        auto &set = h.font().FontPixels[0];
        set[0][0][0] = set[95][7][7] = set[40][3][5] = set[33][0][0] = 1;
        h.trigger(scheme);

        const QImage image = onScreen(strip, {2, 2, 768, 72});
        QCOMPARE(pixels(image, {{0, 0}, {767, 71}, {202, 40}, {208, 34}}),
                 QList({ink, ink, ink, paper}));
        QCOMPARE(pixels(image, {{5, 24}, {767, 48}, {744, 71}, {24, 25}, {25, 24}}),
                 QList<QRgb>(5, Grey));
        h.pressStrip({8 * 24 + 23.5, 24 + 23.5});
        QCOMPARE(h.font().currentChar, 40);
    }

    // Cells drawn behind the square's back (ink from (3,0) to (7,0) and at (2,5)) show with the
    // first stroke. A left drag paints ink over columns 0-2 (the back button, which the square
    // ignores, is pressed and released on the way), a right one paper over 3 and 4, a middle one
    // over (6,1) and (7,0) nothing; after each release moves paint nothing.
    void editSquare_data() { surfaces_data(); }
    void editSquare()
    {
        QFETCH(QString, scheme);
        QFETCH(QRgb, ink);
        QFETCH(QRgb, paper);
        MainWindowHarness h;
        QVERIFY(painted(h));
        h.trigger(scheme);
        QWidget *square = h.child(u"P"_s);
        Glyph &grid = h.state().EditGrid;
        for (auto &column : {3, 4, 5, 6, 7})
            grid[column][0] = 1;
        grid[2][5] = 1;
        const QHash<QChar, Qt::MouseButton> buttons = {{u'L', Qt::LeftButton},
                                                       {u'R', Qt::RightButton},
                                                       {u'M', Qt::MiddleButton},
                                                       {u'B', Qt::BackButton}};
        const QString events = u"L10,10 42,10 B42,10 b42,10 74,10 l74,10 R106,10 138,10 r138,10 "
                               u"170,10 M202,40 234,10 m234,10 234,10"_s;
        Qt::MouseButtons held;
        for (const QString &event : events.split(u' ')) {
            const QChar kind = event.front();
            const QStringList xy = (kind.isLetter() ? event.mid(1) : event).split(u',');
            const QPointF at(xy[0].toDouble(), xy[1].toDouble());
            const Qt::MouseButton button = buttons.value(kind.toUpper());
            if (kind.isUpper())
                h.pressSquare(at, button, std::exchange(held, held | button));
            else if (kind.isLower())
                h.releaseSquare(at, button, held &= ~button);
            else
                h.moveSquare(at, held);
        }

        const QImage image = onScreen(square);
        QStringList shown(8);
        for (int cell = 0; cell < 64; ++cell) {
            const QRgb rgb = image.pixel(cell % 8 * 32 + 16, cell / 8 * 32 + 16);
            shown[cell / 8] += rgb == ink ? u'#' : rgb == paper ? u'.' : u'?';
        }
        QCOMPARE(shown,
                 QStringList({u"###..###"_s, u"........"_s, u"........"_s, u"........"_s,
                              u"........"_s, u"..#....."_s, u"........"_s, u"........"_s}));
        // The grid: none at the edge, horizontal and vertical lines, over ink too.
        QCOMPARE(pixels(image, {{0, 0}, {96, 176}, {80, 160}, {40, 32}, {32, 10}}),
                 QList({ink, Grey, Grey, Grey, Grey}));
    }

    // The small labels are black on white whatever the scheme; the character in the scheme's
    // colours.
    void labels_data() { surfaces_data(); }
    void labels()
    {
        QFETCH(QString, scheme);
        QFETCH(QRgb, ink);
        QFETCH(QRgb, paper);
        MainWindowHarness h;
        QVERIFY(painted(h));
        h.trigger(scheme);
        for (const QString &name : {u"Label2_0"_s, u"Label1_0"_s, u"Label1_1"_s, u"Label2_1"_s}) {
            const bool character = name == u"Label2_1";
            const QImage image = onScreen(h.child(name));
            QCOMPARE(image.pixel(0, 0), character ? paper : White);
            const QRgb text = character ? ink : Black;
            QVERIFY2(count(image, [text](QRgb rgb) { return near(rgb, text); }) > 0,
                     qPrintable(name));
        }
    }

    // The tick shows only while the box is checked; the caption is written in two lines.
    void checkBoxes()
    {
        MainWindowHarness h;
        QVERIFY(painted(h));
        for (auto *box : {h.child<QCheckBox>(u"Check1"_s), h.child<QCheckBox>(u"Check2"_s)}) {
            QStyleOptionButton option;
            option.initFrom(box);
            const QRect tick
                = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
            const QRect caption
                = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
            const int ticked = count(onScreen(box, tick), isDark);
            box->setChecked(false);
            QCOMPARE(count(onScreen(box, tick), isDark), 0);
            QVERIFY(ticked > 0);
            QCOMPARE(textLines(onScreen(box, caption)), 2);
        }
    }
};

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestSurfaces)
#include "test_surfaces.moc"
