// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/gph.h"
#include "font/specchr.h"
#include "support/test_files.h"

#include <QTest>

#include <cstring>
#include <memory>

using namespace Glyphery;

namespace {

// Two-set files with one ink pixel: one bit in SpecCHR, one non-zero byte in gph.
QByteArray specChrBit(int offset, int bit)
{
    QByteArray file(2 * SetBytes, '\0');
    file[offset] = char(bit);
    return file;
}

QByteArray gphByte(int offset, int value)
{
    QByteArray file(1 + 2 * GphSetBytes, '\0');
    file[0] = 1;
    file[offset] = char(value);
    return file;
}

} // namespace

class TestSpecChr : public QObject
{
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
};

void TestSpecChr::decode_data()
{
    QTest::addColumn<bool>("gph");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("fill"); // every pixel of all 64 sets before the file is read
    QTest::addColumn<int>("sets");
    QTest::addColumn<QByteArray>("start"); // the 64 sets as SpecCHR: these bytes, then the fill

    // SpecCHR files of these lengths and set counts come back byte for byte; ink the file does
    // not reach stays.
    const int lengths[][2] = {{0, 1},    {8, 1},    {770, 1},    {776, 2},    {800, 2},   {768, 1},
                              {1536, 2}, {2304, 3}, {13056, 17}, {48384, 63}, {49152, 64}};
    for (const auto &[bytes, sets] : lengths) {
        const QByteArray file = randomBytes(bytes, quint32(bytes));
        QTest::addRow("%d bytes: %d sets", bytes, sets) << false << file << 1 << sets << file;
    }
    QTest::newRow("a pixel of value 2 writes no bit")
        << false << QByteArray() << 2 << 1 << QByteArray();

    // gph: a byte per pixel, column by column, the row innermost; non-zero is ink.
    QTest::newRow("gph 65: character 1, top left, bit 7")
        << true << gphByte(65, 1) << 1 << 2 << specChrBit(8, 0x80);
    QTest::newRow("gph 121: character 1, top right, bit 0; 2 is ink")
        << true << gphByte(121, 2) << 1 << 2 << specChrBit(8, 0x01);
    QTest::newRow("gph 80: character 1, column 1 of the bottom row; 255 is ink")
        << true << gphByte(80, 255) << 1 << 2 << specChrBit(15, 0x40);
    QTest::newRow("gph 12288: the last pixel of set 1")
        << true << gphByte(2 * GphSetBytes, 128) << 1 << 2 << specChrBit(2 * SetBytes - 1, 0x01);
    // Header 1, then columns 0 and 1 of the space whole and column 2 down to row 3; the rest of
    // sets 0 and 1 is missing and becomes paper, the sets above keep their ink.
    QTest::newRow("gph cut short")
        << true << QByteArray(21, '\1') << 1 << 2
        << QByteArray::fromHex("e0e0e0e0c0c0c0c0") + QByteArray(2 * SetBytes - 8, '\0');
    QTest::newRow("gph header 63 alone: 64 sets of paper")
        << true << QByteArray(1, '\x3f') << 1 << 64 << QByteArray(MaxFontBytes, '\0');
}

void TestSpecChr::decode()
{
    QFETCH(bool, gph);
    QFETCH(QByteArray, file);
    QFETCH(int, fill);
    QFETCH(int, sets);
    QFETCH(QByteArray, start);
    auto font = std::make_unique<FontStore>();
    std::memset(&font->FontPixels, fill, sizeof(font->FontPixels));
    if (gph) {
        QCOMPARE(checkGph(file), GphProblem::None);
        decodeGph(file, *font);
    } else {
        decodeSpecChr(file, *font);
    }
    QCOMPARE(font->setCount(), sets);
    font->lastSet = MaxSets - 1;
    const char rest = fill == 1 ? '\xff' : '\0';
    QCOMPARE(encodeSpecChr(*font), start + QByteArray(MaxFontBytes - start.size(), rest));
}

QTEST_GUILESS_MAIN(TestSpecChr)
#include "support/test_files.h"
#include "test_codecs.moc"
