// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/main_window_harness.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <ranges>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

// Asymmetric, so that a mirrored or shifted copy does not pass for one of them.
static const Glyph Drawing = glyphFromRows({"##......", "#.#.....", "#..#....", "#...#...",
                                            "#....#..", "#.....#.", "#######.", "........"});
static const Glyph Bang = glyphFromRows({"...##...", "...##...", "...##...", "...##...", "...##...",
                                         "........", "...##...", "........"});
static const Glyph Checker = glyphFromRows({"#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#",
                                            "#.#.#.#.", ".#.#.#.#", "#.#.#.#.", ".#.#.#.#"});

static const QString Question = u"Удалить выбранный набор шрифта?|Удаление|YesNo"_s;
static const QString Refusal
    = u"В шрифте должен быть хотя бы один набор. Удалить его нельзя|Удаление|"_s;

// The glyph an image shows, read at the centres of its cells: ink 1, paper 0, else 2.
static Glyph shown(const QImage &image, QPoint origin, int cell)
{
    Glyph glyph {};
    for (int i = 0; i < GlyphSize * GlyphSize; ++i) {
        const QRgb rgb = image.pixel(origin + QPoint(i / 8, i % 8) * cell);
        glyph[i / 8][i % 8] = rgb == 0xff000000 ? 1 : rgb == 0xffffffff ? 0 : 2;
    }
    return glyph;
}

static const auto inSquare = [](const auto &h) { return shown(h.squareImage(), {16, 16}, 32); };

// A push button or check box by its name, "L36,12" a left press on the strip at (36, 12) (R
// right, M middle), anything else a menu item.
static void click(MainWindowHarness &h, const QString &name)
{
    const auto button = name[0] == u'R' ? Qt::RightButton
        : name[0] == u'M'               ? Qt::MiddleButton
                                        : Qt::LeftButton;
    if (auto *widget = h.child<QAbstractButton>(name))
        QTest::mouseClick(widget, Qt::LeftButton);
    else if (name.contains(u','))
        h.pressStrip({name.mid(1).section(u',', 0, 0).toDouble(), name.section(u',', 1).toDouble()},
                     button);
    else
        h.trigger(name);
}

class TestNavigation : public QObject
{
    Q_OBJECT

private slots:
    void leaveAndEnter_data()
    {
        QTest::addColumn<int>("start");
        // Clicks in turn; Check1 and sloada turn loading off, Check2 and ssavea storing.
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("after");
        QTest::addColumn<bool>("modified");
        QTest::addColumn<QList<int>>("drawn"); // the characters that hold the drawing afterwards
        QTest::addColumn<Glyph>("square");

        const auto row = [](const char *name, int start, const QString &clicks, int after,
                            bool modified, QList<int> drawn, const Glyph &square) {
            QTest::newRow(name) << start << clicks << after << modified << drawn << square;
        };
        const std::pair<QPointF, int> points[]
            = {{{0, 0}, 0}, {{767, 71}, 95}, {{24, 23.5}, 1}, {{23.9, 24}, 32}};
        for (auto [at, c] : points) {
            for (QChar b : u"LRM"_s) {
                const QString click = u"%1%2,%3"_s.arg(b).arg(at.x()).arg(at.y());
                row(qPrintable(click), 1, click, c, true, {1}, c == 1 ? Drawing : Checker);
            }
        }
        row(">", 1, u"Command6"_s, 2, true, {1}, Checker);
        row("> loading off", 1, u"sloada Command6"_s, 2, true, {1}, Drawing);
        row("> storing off", 1, u"Check2 Command6"_s, 2, true, {}, Checker);
        row("> both off", 1, u"Check1 ssavea Command6"_s, 2, true, {}, Drawing);
        row("> > > loading off", 1, u"Check1 Command6 Command6 Command6"_s, 4, true, {1, 2, 3},
            Drawing);
        row("the selected one, storing off", 1, u"Check2 L36,12"_s, 1, true, {}, Bang);
        row("> at code 127", 95, u"Command6"_s, 95, false, {}, Drawing);
        row("< at code 32", 0, u"Command5"_s, 0, false, {}, Drawing);
        row("Load, loading off", 1, u"Check1 Command7"_s, 1, false, {}, Bang);
        row("Store, storing off", 1, u"Check2 Command4"_s, 1, true, {1}, Drawing); // always
        // The new font's "!" comes into the square, so the next change does not store over it.
        row("New", 5, u"mnuFileNew"_s, 1, false, {}, Bang);
        row("Open", 5, u"mnuFileOpen"_s, 1, false, {}, Bang);
        row("Open, then code 72", 5, u"mnuFileOpen L204,36"_s, 40, true, {}, Checker);
        row("gph import", 5, u"gphload"_s, 1, false, {}, Bang);
    }

    // Character 1 holds "!", the others the checker, the square the drawing; the files to open
    // hold the same font. The check boxes and the menu check marks show the options.
    void leaveAndEnter()
    {
        QFETCH(int, start);
        QFETCH(QString, clicks);
        QFETCH(int, after);
        QFETCH(bool, modified);
        QFETCH(QList<int>, drawn);
        QFETCH(Glyph, square);

        MainWindowHarness h;
        h.pressStrip({24.0 * (start % 32) + 12, 24.0 * (start / 32) + 12});
        QByteArray gph(1, 0), rows = QByteArray::fromHex("aa55aa55aa55aa55").repeated(CharsPerSet);
        rows.replace(8, 8, QByteArray::fromHex("1818181818001800"));
        for (int c = 0; c < CharsPerSet; ++c) {
            h.font().glyph(0, c) = c == 1 ? Bang : Checker;
            for (const auto &column : h.font().glyph(0, c))
                gph.append(reinterpret_cast<const char *>(column.data()), GlyphSize);
        }
        QTemporaryDir dir;
        QFile file(dir.filePath(u"font"_s));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(clicks.contains(u"gph") ? gph : rows)
                && file.flush());
        h.services.fileNames.enqueue(file.fileName());
        h.state().EditGrid = Drawing;
        h.window.RedrawFont();
        h.font().modified = false;
        for (const QString &name : clicks.split(u' '))
            click(h, name);

        QCOMPARE(h.font().currentChar, after);
        QCOMPARE(h.labelText(u"Label2_0"_s), u"Код: %1"_s.arg(after + 32));
        QCOMPARE(h.font().modified, modified);
        const QImage strip = h.stripImage();
        for (int c = 0; c < CharsPerSet; ++c) {
            const Glyph &want = drawn.contains(c) ? Drawing : c == 1 ? Bang : Checker;
            const QPoint cell(24 * (c % 32) + 1, 24 * (c / 32) + 1);
            QVERIFY2(h.font().glyph(0, c) == want && shown(strip, cell, 3) == want,
                     qPrintable(QString::number(c)));
        }
        QVERIFY(h.state().EditGrid == square && inSquare(h) == square);
        for (auto [box, item, on] : {std::tuple(u"Check1"_s, u"sloada"_s, h.state().autoLoad),
                                     std::tuple(u"Check2"_s, u"ssavea"_s, h.state().autoStore)})
            QVERIFY(h.child<QCheckBox>(box)->isChecked() == on
                    && h.window.command(item)->isChecked() == on);
    }

    void sets_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("current");
        // "delfont:Yes" expects the question and answers it; a bare "delfont" the refusal. The
        // push buttons Command2, 3, 8 and 9 run the same commands.
        QTest::addColumn<QString>("commands");
        QTest::addColumn<QList<int>>("after"); // which sets are where; -1 a blank one
        QTest::addColumn<QString>("labels");
        QTest::addColumn<bool>("redrawn");

        const auto row = [](const char *name, int count, int current, const char16_t *commands,
                            const QList<int> &after, const char16_t *labels, bool redrawn) {
            QTest::newRow(name) << count << current << QString::fromUtf16(commands) << after
                                << QString::fromUtf16(labels) << redrawn;
        };
        const auto upTo = [](int end) {
            auto r = std::views::iota(0, end);
            return QList<int>(r.begin(), r.end());
        };
        row("add on one set", 1, 0, u"Command2", {0, -1}, u" 2 из 2, 1536 байт", true);
        row("add while first of three", 3, 0, u"addfont", {0, 1, 2, -1}, u" 4 из 4, 3072 байт",
            true);
        row("add at 64", 64, 63, u"addfont", upTo(64), u" 64 из 64, 49152 байт", false);
        row("delete only set", 1, 0, u"delfont", {0}, u" 1 из 1, 768 байт", false);
        row("delete middle of three", 3, 1, u"Command3:Yes", {0, 2}, u" 2 из 2, 1536 байт", true);
        row("delete first of three", 3, 0, u"delfont:Yes", {1, 2}, u" 1 из 2, 1536 байт", true);
        row("delete last while current", 3, 2, u"delfont:Yes", {0, 1}, u" 2 из 2, 1536 байт", true);
        row("delete answered No", 3, 1, u"delfont:No", {0, 1, 2}, u" 2 из 3, 2304 байт", false);
        row("deleted, added: blank", 3, 2, u"delfont:Yes addfont", {0, 1, -1},
            u" 3 из 3, 2304 байт", true);
        row("next at the last", 3, 2, u"nextfont", {0, 1, 2}, u" 3 из 3, 2304 байт", false);
        row("previous at the first", 3, 0, u"prewfont", {0, 1, 2}, u" 1 из 3, 2304 байт", false);
        row("next", 43, 0, u"Command8", upTo(43), u" 2 из 43, 33024 байт", true);
        row("previous", 3, 2, u"Command9", {0, 1, 2}, u" 2 из 3, 2304 байт", true);
    }

    // Set s is told by the pixel value s + 1 in its first character. The square got the
    // drawing behind its back, to show whether it was redrawn. The set commands leave the
    // selected character, the square, modified and the file name alone, and Store then writes
    // into the set now shown.
    void sets()
    {
        QFETCH(int, count);
        QFETCH(int, current);
        QFETCH(QString, commands);
        QFETCH(QList<int>, after);
        QFETCH(QString, labels);
        QFETCH(bool, redrawn);

        MainWindowHarness h;
        FontStore &font = h.font();
        for (int s = 0; s < count; ++s)
            font.FontPixels[s][0][0][0] = std::uint8_t(s + 1);
        font.lastSet = count - 1;
        font.currentSet = current;
        font.currentChar = 20;
        font.fileName = u"a.chr"_s;
        h.window.RedrawFont();
        h.state().EditGrid = Drawing;
        QStringList expected;
        for (const QString &step : commands.split(u' ')) {
            const QString answer = step.section(u':', 1);
            if (!answer.isEmpty() || step == u"delfont")
                expected.append(answer.isEmpty() ? Refusal : Question);
            if (!answer.isEmpty())
                h.services.answers.enqueue(answer == u"Yes" ? MessageAnswer::Yes
                                                            : MessageAnswer::No);
            click(h, step.section(u':', 0, 0));
        }

        QList<int> found;
        for (int s = 0; s <= font.lastSet; ++s)
            found.append(font.FontPixels[s][0][0][0] - 1);
        QCOMPARE(found, after);
        QCOMPARE(h.labelText(u"Label1_0"_s) + u',' + h.labelText(u"Label1_1"_s), labels);
        QStringList messages;
        for (const ScriptedServices::Message &m : h.services.messages)
            messages.append(u"%1|%2|%3"_s.arg(
                m.text, m.title, m.buttons == MessageButtons::YesNo ? u"YesNo"_s : QString()));
        QCOMPARE(messages, expected);
        QVERIFY(h.services.allAnswered());
        QVERIFY(font.currentChar == 20 && !font.modified && font.fileName == u"a.chr");
        QVERIFY(h.state().EditGrid == Drawing && inSquare(h) == (redrawn ? Drawing : Glyph {}));
        h.trigger(u"ssave"_s);
        for (int s = 0; s <= font.lastSet; ++s)
            QCOMPARE(font.glyph(s, 20) == Drawing, s == font.currentSet);
    }
};

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestNavigation)
#include "test_navigation.moc"
