// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/main_window_harness.h"

#include <QMenuBar>
#include <QTest>
#include <QToolBar>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

static constexpr QRgb Ink = 0xff000000, Paper = 0xffffffff, Grey = 0xffc0c0c0; // at start

// Mouse events on the edit square: "L10,20" presses the left button at (10, 20), "l10,20"
// releases it there and "10,20" moves there; R is the right button, M the middle one, B back.
static void stroke(MainWindowHarness &h, const QString &events)
{
    Qt::MouseButtons held;
    for (const QString &event : events.split(u' ')) {
        const QChar first = event.front();
        const auto button = first.toUpper() == u'L' ? Qt::LeftButton
            : first.toUpper() == u'R'               ? Qt::RightButton
            : first.toUpper() == u'B'               ? Qt::BackButton
                                                    : Qt::MiddleButton;
        const QString xy = first.isLetter() ? event.mid(1) : event;
        const QPointF at(xy.section(u',', 0, 0).toDouble(), xy.section(u',', 1).toDouble());
        if (first.isUpper())
            h.pressSquare(at, button, std::exchange(held, held | button));
        else if (first.isLower())
            h.releaseSquare(at, button, held &= ~button);
        else
            h.moveSquare(at, held);
    }
}

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    // Every element as "name parent rectangle", in a window of fixed size that cannot be
    // maximised; the labels' texts at start.
    void elements()
    {
        const QStringList expected {
            u"tbToolBar client QRect(0,0 789x24)"_s,  u"PP client QRect(8,32 772x76)"_s,
            u"P client QRect(264,120 256x256)"_s,     u"Frame2 client QRect(8,144 241x73)"_s,
            u"Label2_0 Frame2 QRect(8,32 57x17)"_s,   u"Label2_1 Frame2 QRect(72,24 73x33)"_s,
            u"Command5 Frame2 QRect(152,24 32x31)"_s, u"Command6 Frame2 QRect(192,24 32x32)"_s,
            u"Frame1 client QRect(8,232 241x113)"_s,  u"Label1_0 Frame1 QRect(16,24 105x17)"_s,
            u"Label1_1 Frame1 QRect(16,48 105x17)"_s, u"Command9 Frame1 QRect(144,24 32x32)"_s,
            u"Command8 Frame1 QRect(184,24 32x32)"_s, u"Command2 Frame1 QRect(16,72 95x23)"_s,
            u"Command3 Frame1 QRect(128,72 95x23)"_s, u"Frame3 client QRect(536,176 241x129)"_s,
            u"Command1 Frame3 QRect(8,24 113x25)"_s,  u"Command7 Frame3 QRect(8,56 113x25)"_s,
            u"Command4 Frame3 QRect(8,88 113x25)"_s,  u"Check1 Frame3 QRect(128,56 105x25)"_s,
            u"Check2 Frame3 QRect(128,88 105x25)"_s};
        MainWindowHarness h;
        for (const QString &element : expected) {
            const QWidget *w = h.child(element.section(u' ', 0, 0));
            QString seen;
            QDebug(&seen).noquote() << w->objectName() << w->parentWidget()->objectName()
                                    << (w->isVisible() ? w->geometry() : QRect());
            QCOMPARE(seen.trimmed(), element);
        }
        QVERIFY(!(h.window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QCOMPARE(h.window.minimumSize(), h.window.maximumSize());
        QCOMPARE(h.window.centralWidget()->size(), QSize(789, 383));
        QVERIFY(!h.font().modified && h.font().fileName == u"*");
        QStringList labels;
        for (const char *name : {"Label1_0", "Label1_1", "Label2_0", "Label2_1"})
            labels.append(h.labelText(QString::fromLatin1(name)));
        QCOMPARE(labels.join(u'|'), u" 1 из 1| 768 байт|Код: 33|!"_s);
    }

    // The toolbar, its buttons by key and tool tip, then each menu: "name caption: name=caption
    // shortcut [check mark]; ..."; "-" a separator. The toolbar's pictures differ, and none
    // shows light grey, their transparent colour.
    void commands()
    {
        const QStringList expected {
            u"tbToolBar: New=Новый; Open=Открыть; Save=Сохранить; -; Cut=Выразать; "
            u"Copy=Копировать; Paste=Вставить; -; Inv=Инвертировать; MV=Вертикальное зеркало; "
            u"MG=Горизонтальное зеркало; rr=Поворот по часовой стрелке; "
            u"rl=Поворот против часовой стрелки; up=Сдвиг вверх; down=Сдвиг вниз; "
            u"left=Сдвиг влево; right=Сдвиг вправо; -; calc=Калькулятор вызова;"_s,
            u"mnuFile &Файл: mnuFileNew=&Новый Ctrl+N; mnuFileOpen=&Открыть...; "
            u"gphload=Импорт из gph; -; mnuFileSave=&Сохранить; "
            u"mnuFileSaveAs=Сохранить &как...; -; mnuFileExit=&Выход;"_s,
            u"mnuedit &Правка: mnuEditCut=&Вырезать Ctrl+X; mnuEditCopy=&Копировать Ctrl+C; "
            u"mnuEditPaste=Вст&авить Ctrl+V; -; mnueditclear=Стереть; sload=Загрузить; "
            u"sloada=Загружать автоматически [x]; ssave=Сохранить; "
            u"ssavea=Сохранять автоматически [x];"_s,
            u"act Символ: nextchr=Следующий; prevchr=Предыдущий; -; min=Инвертировать; -; "
            u"vmir=Вертикальное зеркало; gmir=Горизонтальное зеркало; -; "
            u"rr=Поворот по часовой стрелке; rl=Поворот против часовой стрелки; -; "
            u"sup=Сдвиг вверх; sdown=Сдвиг вниз; sleft=Сдвиг влево; sright=Сдвиг вправо;"_s,
            u"naborfonts Набор: addfont=Добавить набор; delfont=Удалить набор; -; "
            u"nextfont=Перейти к следующему; prewfont=Перейти к предыдущему;"_s,
            u"pal Палитра: pal1=Чёрным по белому; pal2=Белым по чёрному; -; "
            u"pal6=Чёрным по серому; pal7=Серым по чёрному; -; pal3=Синим по чёрному; "
            u"pal4=Красным по чёрному; pal5=Голубым по синему;"_s,
            u"mnutools Инструменты: calc=Калькулятор вызова;"_s,
            u"mnuHelp &Справка: mnuHelpContents=&Содержание; -; mnuHelpAbout=&О программе...;"_s};
        MainWindowHarness h;
        QList<QWidget *> bars {h.child<QToolBar>(u"tbToolBar"_s)};
        for (QAction *menu : h.window.menuBar()->actions())
            bars.append(menu->menu());
        QStringList seen;
        for (QWidget *bar : bars) {
            seen.append((bar->objectName() + u' ' + bar->property("title").toString()).trimmed()
                        + u':');
            for (QAction *a : bar->actions()) {
                const QString check
                    = a->isCheckable() ? (a->isChecked() ? u"[x]"_s : u"[ ]"_s) : u""_s;
                const QString item = u"%1=%2 %3 %4"_s.arg(
                    a->data().isValid() ? a->data().toString() : a->objectName(),
                    a->text().isEmpty() ? a->toolTip() : a->text(), a->shortcut().toString(),
                    check);
                seen.last() += u' ' + (a->isSeparator() ? u"-"_s : item.simplified()) + u';';
            }
        }
        QCOMPARE(seen, expected);
        QList<QImage> pictures;
        for (QAction *a : bars.first()->actions()) {
            const QImage picture
                = a->icon().pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32);
            const auto *bits = reinterpret_cast<const QRgb *>(picture.constBits());
            QVERIFY(a->isSeparator() || (!picture.isNull() && !pictures.contains(picture)));
            QVERIFY(a->isSeparator() || std::find(bits, bits + 256, Grey) == bits + 256);
            pictures.append(picture);
        }
    }

    void paint_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QList<QPoint>>("flipped"); // the cells that change

        const auto row = [](const char *name, const char16_t *events, QList<QPoint> flipped) {
            QTest::newRow(name) << QString::fromUtf16(events) << flipped;
        };
        row("left at (0,0)", u"L0,0 l0,0", {{0, 0}});
        row("right at (255,255)", u"R255,255 r255,255", {{7, 7}});
        row("(31.9,32) is (0,1)", u"L31.9,32 l31.9,32", {{0, 1}});
        row("x -0.5 is outside", u"L40,40 -0.5,40 -0.5,-0.5 40,-0.5 l40,-0.5", {{1, 1}});
        row("left drag along the top row",
            u"L10,10 42,10 74,10 106,10 138,10 170,10 202,10 234,10 l234,10",
            {{0, 0}, {1, 0}, {6, 0}});
        row("leaves and comes back", u"L200,100 300,100 300,300 200,200 l200,200",
            {{6, 3}, {6, 6}});
        row("middle", u"M10,10 100,100 200,200 m200,200", {});
        row("right press in a left stroke, right released",
            u"L10,10 40,10 R72,10 104,10 r104,10 168,10 200,10 l200,10",
            {{0, 0}, {1, 0}, {2, 0}, {3, 0}});
        row("left press in a right stroke, left released",
            u"R72,40 L104,40 l104,40 136,40 168,40 r168,40", {{2, 1}});
        row("back button pressed and released in a stroke", u"L10,10 B10,10 b10,10 42,10 l42,10",
            {{0, 0}, {1, 0}});
    }

    // The square starts with ink in columns 2-5 and 7. Strokes change neither the font nor the
    // strip nor modified; Ctrl+C then copies the square, though the focus is on a push button.
    void paint()
    {
        QFETCH(QString, events);
        QFETCH(QList<QPoint>, flipped);

        MainWindowHarness h;
        Glyph expected {};
        for (int x : {2, 3, 4, 5, 7})
            expected[x].fill(1);
        h.state().EditGrid = expected;
        const QImage strip = h.stripImage();
        h.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&h.window));
        stroke(h, events);
        h.child(u"Command4"_s)->setFocus();
        QTest::keyClick(h.child(u"Command4"_s), Qt::Key_C, Qt::ControlModifier);

        const QImage square = h.squareImage();
        for (QPoint c : flipped) {
            const bool ink = expected[c.x()][c.y()] ^= 1;
            QCOMPARE(square.pixel(c * 32 + QPoint(16, 16)), ink ? Ink : Paper);
        }
        QVERIFY(h.state().EditGrid == expected && h.state().GlyphClipboard == expected);
        QVERIFY(h.font().glyph(0, 1) == Glyph {} && !h.font().modified);
        QCOMPARE(h.stripImage(), strip);
    }

    // Codes 96 + 8 * column + row also show KOI-7's Russian capital.
    void characterLabels()
    {
        const QString koi7[] = {u"ЮХПЬ"_s, u"АИЯЫ"_s, u"БЙРЗ"_s, u"ЦКСШ"_s,
                                u"ДЛТЭ"_s, u"ЕМУЩ"_s, u"ФНЖЧ"_s, u"ГОВЪ"_s};
        MainWindowHarness h;
        for (int code = 32, k = -64; code < 128; ++code, ++k) {
            h.font().currentChar = code - 32;
            h.window.RedrawEditor();
            QCOMPARE(h.labelText(u"Label2_0"_s), u"Код: %1"_s.arg(code));
            QCOMPARE(h.labelText(u"Label2_1"_s),
                     QChar(code) + (k < 0 ? u""_s : u" ("_s + koi7[k % 8][k / 8] + u')'));
        }
    }

    void schemes_data()
    {
        QTest::addColumn<QRgb>("ink");
        QTest::addColumn<QRgb>("paper");
        QTest::newRow("pal1") << 0xff000000u << 0xffffffffu;
        QTest::newRow("pal2") << 0xffffffffu << 0xff000000u;
        QTest::newRow("pal6") << 0xff000000u << 0xff808080u;
        QTest::newRow("pal7") << 0xff808080u << 0xff000000u;
        QTest::newRow("pal3") << 0xff0000ffu << 0xff000000u;
        QTest::newRow("pal4") << 0xffff0000u << 0xff000000u;
        QTest::newRow("pal5") << 0xff00ffffu << 0xff0000ffu;
    }

    // The strip and the square show what was last drawn on them until the next redraw; the
    // grid keeps its colour, the font its modified.
    void schemes()
    {
        QFETCH(QRgb, ink);
        QFETCH(QRgb, paper);

        MainWindowHarness h;
        const QString command = QString::fromLatin1(QTest::currentDataTag());
        const QRgb before = command == u"pal5" ? Paper : 0xff0000ff; // all colours differ
        h.trigger(command == u"pal5" ? u"pal1"_s : u"pal5"_s);
        auto &set = h.font().FontPixels[0];
        set[0][0][0] = set[33][0][0] = set[40][3][5] = 1;
        set[95][7][7] = 2;
        h.state().EditGrid[2][5] = 1; // not in the font
        QCOMPARE(QList({h.stripPixel(0, 0), h.squarePixel(80, 176)}), QList({before, before}));
        h.trigger(command);

        const QPalette label = h.child(u"Label2_1"_s)->palette();
        // Strip: codes 32 (0,0) with no line round the strip, 127 (7,7) a store value 2, 72
        // (5,3) and (3,5), the lines at y=24 and 48 and x=744 and 24, over ink too.
        QCOMPARE(
            QList({h.stripPixel(0, 0), h.stripPixel(767, 71), h.stripPixel(208, 34),
                   h.stripPixel(202, 40), h.stripPixel(5, 24), h.stripPixel(767, 48),
                   h.stripPixel(744, 71), h.stripPixel(24, 25), h.squarePixel(80, 176),
                   h.squarePixel(176, 80), h.squarePixel(96, 176),
                   label.color(QPalette::WindowText).rgb(), label.color(QPalette::Window).rgb()}),
            QList({ink, ink, paper, ink, Grey, Grey, Grey, Grey, ink, paper, Grey, ink, paper}));
        QVERIFY(!h.font().modified);
    }
};

} // namespace Glyphery

QTEST_MAIN(Glyphery::TestMainWindow)
#include "test_surfaces.moc"
