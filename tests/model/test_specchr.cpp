#include "font/gph.h"
#include "font/specchr.h"

#include <QRandomGenerator>
#include <QTest>

#include <memory>

using namespace Glyphery;

namespace {

QByteArray randomBytes(qsizetype size, quint32 seed)
{
    QRandomGenerator random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

class TestSpecChr : public QObject
{
    Q_OBJECT
private slots:
    void roundTripIsByteExact_data();
    void roundTripIsByteExact();
    void setCountFollowsLength_data();
    void setCountFollowsLength();
    void bitOrderAndRowOrder();
    void shortFileKeepsUnreachedPixels();
    void onlyValueOneIsInk();
    void gphHeaderAndOrder();
    void gphNonZeroIsInkAndMissingIsPaper();
    void gphRefusesWhatItCannotHold_data();
    void gphRefusesWhatItCannotHold();
};

void TestSpecChr::roundTripIsByteExact_data()
{
    QTest::addColumn<int>("sets");
    for (int sets : {1, 2, 3, 17, 63, 64})
        QTest::addRow("%d sets", sets) << sets;
}

void TestSpecChr::roundTripIsByteExact()
{
    QFETCH(int, sets);
    const QByteArray file = randomBytes(sets * SetBytes, quint32(sets));
    auto font = std::make_unique<FontStore>();
    decodeSpecChr(file, *font);
    QCOMPARE(font->setCount(), sets);
    QCOMPARE(encodeSpecChr(*font), file);
}

void TestSpecChr::setCountFollowsLength_data()
{
    QTest::addColumn<int>("bytes");
    QTest::addColumn<int>("sets");
    QTest::newRow("empty file is one set") << 0 << 1;
    QTest::newRow("one character") << 8 << 1;
    QTest::newRow("a few bytes past one set") << 770 << 1;
    QTest::newRow("whole character past one set") << 776 << 2;
    QTest::newRow("four characters past one set") << 800 << 2;
    QTest::newRow("one set") << 768 << 1;
    QTest::newRow("two sets") << 1536 << 2;
    QTest::newRow("largest font") << 49152 << 64;
}

void TestSpecChr::setCountFollowsLength()
{
    QFETCH(int, bytes);
    QFETCH(int, sets);
    auto font = std::make_unique<FontStore>();
    decodeSpecChr(randomBytes(bytes, 7), *font);
    QCOMPARE(font->setCount(), sets);
}

void TestSpecChr::bitOrderAndRowOrder()
{
    // Character 1 ("!"): top row has only its leftmost and rightmost pixels, bottom row only
    // the second pixel from the left: an asymmetric glyph catches swapped bits, rows or columns.
    QByteArray file(SetBytes, '\0');
    file[8 + 0] = char(0x81);
    file[8 + 7] = char(0x40);
    auto font = std::make_unique<FontStore>();
    decodeSpecChr(file, *font);
    const Glyph &glyph = font->glyph(0, 1);
    QCOMPARE(glyph[0][0], 1);
    QCOMPARE(glyph[7][0], 1);
    QCOMPARE(glyph[1][0], 0);
    QCOMPARE(glyph[1][7], 1);
    QCOMPARE(glyph[0][7], 0);
    QCOMPARE(encodeSpecChr(*font), file);
}

void TestSpecChr::shortFileKeepsUnreachedPixels()
{
    auto font = std::make_unique<FontStore>();
    font->glyph(1, 4)[3][3] = 1;
    font->glyph(1, 3)[3][3] = 1;
    decodeSpecChr(QByteArray(800, '\0'), *font);
    QCOMPARE(font->glyph(1, 3)[3][3], 0); // reached by the file
    QCOMPARE(font->glyph(1, 4)[3][3], 1); // beyond its end
}

void TestSpecChr::onlyValueOneIsInk()
{
    auto font = std::make_unique<FontStore>();
    font->glyph(0, 0)[0][0] = 2;
    font->glyph(0, 0)[1][0] = 1;
    QCOMPARE(encodeSpecChr(*font).at(0), char(0x40));
}

void TestSpecChr::gphHeaderAndOrder()
{
    // Header 2: three sets. Offset 1 is the top pixel of the leftmost column of the space;
    // the next byte is the pixel below it (column by column, row innermost).
    QByteArray file(1 + 3 * GphSetBytes, '\0');
    file[0] = 2;
    file[1] = 1;
    file[2] = 1;
    file[1 + 8] = 1; // column 1, row 0
    file[1 + 2 * GphSetBytes + 64 * 95 + 8 * 7 + 7] = 1; // set 2, code 127, pixel (7, 7)
    auto font = std::make_unique<FontStore>();
    QCOMPARE(checkGph(file), GphProblem::None);
    decodeGph(file, *font);
    QCOMPARE(font->setCount(), 3);
    QCOMPARE(font->glyph(0, 0)[0][0], 1);
    QCOMPARE(font->glyph(0, 0)[0][1], 1);
    QCOMPARE(font->glyph(0, 0)[1][0], 1);
    QCOMPARE(font->glyph(0, 0)[1][1], 0);
    QCOMPARE(font->glyph(2, 95)[7][7], 1);
    // As SpecCHR: gph pixel (x, y) is bit 7 - x of row byte y.
    const QByteArray specChr = encodeSpecChr(*font);
    QCOMPARE(specChr.size(), 3 * SetBytes);
    QCOMPARE(specChr.at(0), char(0xC0));
    QCOMPARE(specChr.at(1), char(0x80));
    QCOMPARE(specChr.at(2 * SetBytes + 95 * 8 + 7), char(0x01));
}

void TestSpecChr::gphNonZeroIsInkAndMissingIsPaper()
{
    auto font = std::make_unique<FontStore>();
    font->glyph(0, 95)[7][7] = 1;
    font->glyph(1, 0)[0][0] = 1; // above the imported font: keeps its pixel
    QByteArray file(1 + 10, '\0');
    file[1] = 2;
    file[2] = char(0xff);
    decodeGph(file, *font);
    QCOMPARE(font->glyph(0, 0)[0][0], 1);
    QCOMPARE(font->glyph(0, 0)[0][1], 1);
    QCOMPARE(font->glyph(0, 95)[7][7], 0);
    QCOMPARE(font->glyph(1, 0)[0][0], 1);
    QCOMPARE(encodeSpecChr(*font).at(0), char(0x80));
    QCOMPARE(encodeSpecChr(*font).at(1), char(0x80));
}

void TestSpecChr::gphRefusesWhatItCannotHold_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<GphProblem>("problem");
    QTest::newRow("empty") << QByteArray() << GphProblem::Empty;
    QTest::newRow("header 63") << QByteArray(1, char(63)) << GphProblem::None;
    QTest::newRow("header 64") << QByteArray(1, char(64)) << GphProblem::TooManySets;
    QTest::newRow("header 255") << QByteArray(1, char(255)) << GphProblem::TooManySets;
}

void TestSpecChr::gphRefusesWhatItCannotHold()
{
    QFETCH(QByteArray, file);
    QFETCH(GphProblem, problem);
    QCOMPARE(checkGph(file), problem);
}

QTEST_GUILESS_MAIN(TestSpecChr)
#include "test_specchr.moc"
