// SPDX-License-Identifier: GPL-3.0-or-later
// Where each byte of a SpecCHR or gph file lands in the store, checked pixel by pixel against
// the written layouts, with an exact example of each. How many sets a file of any length makes,
// and what a partial last character or set keeps, are rows of test_file_commands.

#include "font/gph.h"
#include "font/specchr.h"
#include "support/test_files.h"

#include <QTest>

#include <cstring>
#include <memory>

using namespace Glyphery;
using namespace Qt::Literals::StringLiterals;

class TestCodecs : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
};

void TestCodecs::layout_data()
{
    QTest::addColumn<bool>("gph");
    QTest::addColumn<QByteArray>("file"); // of two sets
    QTest::addColumn<QList<int>>("ink"); // set, character, column and row of an ink pixel
    // SpecCHR: byte 768·s + 8·c + y is row y of character c of set s, bit 7 its leftmost pixel.
    QTest::newRow("SpecCHR") << false << randomBytes(2 * SetBytes, 1) << QList<int> {};
    QTest::newRow("SpecCHR, byte 811 bit 6")
        << false << QByteArray(811, '\0') + '\x40' + QByteArray(724, '\0') << QList {1, 5, 1, 3};
    // gph: byte 1 + 6144·s + 64·c + 8·x + y is pixel (x, y) of character c of set s; any byte
    // but 0 is ink. Pixels past the end of a short file are paper.
    QByteArray gph = '\1' + randomBytes(GphSetBytes + 100, 2);
    for (qsizetype i = 1; i < gph.size(); i += 2)
        gph[i] = 0; // as many paper pixels as ink
    QTest::newRow("gph, cut short in set 1") << true << gph << QList<int> {};
    QTest::newRow("gph, byte 6484 of 255")
        << true << '\1' + QByteArray(6483, '\0') + '\xff' << QList {1, 5, 2, 3};
}

void TestCodecs::layout()
{
    QFETCH(bool, gph);
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, ink);
    auto font = std::make_unique<FontStore>();
    std::memset(&font->FontPixels[1], 1, sizeof font->FontPixels[1]); // ink a file must clear
    if (gph)
        decodeGph(file, *font);
    else
        decodeSpecChr(file, *font);
    QCOMPARE(font->lastSet, 1);
    // Pixel i in the store's order: set, character, column, row.
    for (int i = 0; i < 2 * GphSetBytes; ++i) {
        const int set = i / GphSetBytes, character = i / 64 % CharsPerSet, x = i / 8 % 8, y = i % 8;
        const qsizetype at = gph ? 1 + i : set * SetBytes + character * GlyphSize + y;
        const int byte = at < file.size() ? uchar(file[at]) : 0;
        if (font->glyph(set, character)[toIndex(x)][toIndex(y)]
            != (gph ? byte != 0 : byte >> (7 - x) & 1))
            QFAIL(qPrintable(
                u"set %1, character %2, pixel (%3, %4)"_s.arg(set).arg(character).arg(x).arg(y)));
    }
    QVERIFY(ink.isEmpty() || font->glyph(ink[0], ink[1])[toIndex(ink[2])][toIndex(ink[3])] == 1);
    if (!gph)
        QCOMPARE(encodeSpecChr(*font), file);
}

QTEST_GUILESS_MAIN(TestCodecs)
#include "test_codecs.moc"
