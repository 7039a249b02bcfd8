// SPDX-License-Identifier: GPL-3.0-or-later
#include "operations/transforms.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;

using namespace Glyphery;

namespace {

using Transform = std::function<Glyph(const Glyph &)>;

Glyph randomGlyph(QRandomGenerator &random)
{
    Glyph glyph;
    for (auto &column : glyph) {
        for (auto &cell : column)
            cell = static_cast<std::uint8_t>(random.bounded(2));
    }
    return glyph;
}

Glyph singlePixel(int column, int row)
{
    Glyph glyph {};
    glyph[column][row] = 1;
    return glyph;
}

Glyph repeated(const Transform &transform, int times, Glyph glyph)
{
    for (int i = 0; i < times; ++i)
        glyph = transform(glyph);
    return glyph;
}

struct Named
{
    const char *name;
    Transform transform;
};

const Named Moves[] = {
    {"vmir", mirroredLeftRight},    {"gmir", mirroredTopBottom}, {"rr", turnedClockwise},
    {"rl", turnedCounterClockwise}, {"sup", shiftedUp},          {"sdown", shiftedDown},
    {"sleft", shiftedLeft},         {"sright", shiftedRight},
};

} // namespace

Q_DECLARE_METATYPE(Transform)

class TestTransforms : public QObject
{
    Q_OBJECT
private slots:
    void returnsToStart_data();
    void returnsToStart();
    void halfTurnIsBothMirrors();
    void whereTheCornerPixelGoes_data();
    void whereTheCornerPixelGoes();
    void movesKeepUniformGlyphs();
    void invertWritesOnlyZeroAndOne();
};

// Identities that hold for any glyph; random asymmetric glyphs catch a swapped axis or an
// off-by-one that a blank or symmetric glyph would hide.
void TestTransforms::returnsToStart_data()
{
    QTest::addColumn<Transform>("transform");
    QTest::addColumn<int>("times");
    QTest::newRow("vmir twice") << Transform(mirroredLeftRight) << 2;
    QTest::newRow("gmir twice") << Transform(mirroredTopBottom) << 2;
    QTest::newRow("rr four times") << Transform(turnedClockwise) << 4;
    QTest::newRow("rl four times") << Transform(turnedCounterClockwise) << 4;
    QTest::newRow("rr then rl") << Transform([](const Glyph &g) {
        return turnedCounterClockwise(turnedClockwise(g));
    }) << 1;
    QTest::newRow("rl then rr") << Transform([](const Glyph &g) {
        return turnedClockwise(turnedCounterClockwise(g));
    }) << 1;
    QTest::newRow("sup eight times") << Transform(shiftedUp) << 8;
    QTest::newRow("sdown eight times") << Transform(shiftedDown) << 8;
    QTest::newRow("sleft eight times") << Transform(shiftedLeft) << 8;
    QTest::newRow("sright eight times") << Transform(shiftedRight) << 8;
    QTest::newRow("sup then sdown")
        << Transform([](const Glyph &g) { return shiftedDown(shiftedUp(g)); }) << 1;
    QTest::newRow("sleft then sright")
        << Transform([](const Glyph &g) { return shiftedRight(shiftedLeft(g)); }) << 1;
}

void TestTransforms::returnsToStart()
{
    QFETCH(Transform, transform);
    QFETCH(int, times);
    QRandomGenerator random(2024);
    for (int sample = 0; sample < 50; ++sample) {
        const Glyph glyph = randomGlyph(random);
        QCOMPARE(repeated(transform, times, glyph), glyph);
    }
}

void TestTransforms::halfTurnIsBothMirrors()
{
    QRandomGenerator random(7);
    for (int sample = 0; sample < 50; ++sample) {
        const Glyph glyph = randomGlyph(random);
        QCOMPARE(turnedClockwise(turnedClockwise(glyph)),
                 mirroredTopBottom(mirroredLeftRight(glyph)));
    }
}

void TestTransforms::whereTheCornerPixelGoes_data()
{
    QTest::addColumn<Transform>("transform");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("row");
    QTest::newRow("vmir") << Transform(mirroredLeftRight) << 7 << 0;
    QTest::newRow("rr") << Transform(turnedClockwise) << 7 << 0;
    QTest::newRow("sleft") << Transform(shiftedLeft) << 7 << 0;
    QTest::newRow("gmir") << Transform(mirroredTopBottom) << 0 << 7;
    QTest::newRow("rl") << Transform(turnedCounterClockwise) << 0 << 7;
    QTest::newRow("sup") << Transform(shiftedUp) << 0 << 7;
    QTest::newRow("sright") << Transform(shiftedRight) << 1 << 0;
    QTest::newRow("sdown") << Transform(shiftedDown) << 0 << 1;
}

void TestTransforms::whereTheCornerPixelGoes()
{
    QFETCH(Transform, transform);
    QFETCH(int, column);
    QFETCH(int, row);
    QCOMPARE(transform(singlePixel(0, 0)), singlePixel(column, row));
}

void TestTransforms::movesKeepUniformGlyphs()
{
    // ... and every move does change an asymmetric glyph, so the identities above are not
    // met by a transform that does nothing.
    const Glyph corner = singlePixel(1, 2);
    for (const Named &move : Moves)
        QVERIFY2(move.transform(corner) != corner, move.name);

    Glyph ink;
    for (auto &column : ink)
        column.fill(1);
    for (const Named &move : Moves) {
        QVERIFY2(move.transform(Glyph {}) == Glyph {}, move.name);
        QVERIFY2(move.transform(ink) == ink, move.name);
    }
    QCOMPARE(inverted(ink), Glyph {});
    QCOMPARE(inverted(Glyph {}), ink);
}

// A value other than 0 and 1 (only a gph import could bring one) counts as ink.
void TestTransforms::invertWritesOnlyZeroAndOne()
{
    Glyph glyph {};
    glyph[2][3] = 2;
    glyph[4][4] = 255;
    const Glyph once = inverted(glyph);
    QCOMPARE(once[2][3], 0);
    QCOMPARE(once[4][4], 0);
    QCOMPARE(once[0][0], 1);
    QRandomGenerator random(3);
    for (int sample = 0; sample < 20; ++sample) {
        const Glyph g = randomGlyph(random);
        QCOMPARE(inverted(inverted(g)), g);
    }
}

QTEST_GUILESS_MAIN(TestTransforms)
#include "test_transforms.moc"
