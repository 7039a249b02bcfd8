// SPDX-License-Identifier: GPL-3.0-or-later
// glyphery-convert on the largest font: a 64-set SpecCHR to each output format, as the program
// does it (read, check, convert, write through the safe writer). PSF, BDF and the other
// machines' fonts hold one set, so their rows write all 64 sets, a file each; a raw font is
// read 64 times. Run
//     bench_convert -perf -perfcounter taskclock -median 9
// for the CPU time of each whole conversion in nanoseconds; each must stay well under 10 ms.

#include "convert/conversion.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

class BenchConvert : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void toFormat_data();
    void toFormat();

private:
    QTemporaryDir m_folder;
};

void BenchConvert::initTestCase()
{
    QByteArray font(MaxFontBytes, Qt::Uninitialized);
    QRandomGenerator random(64);
    for (char &byte : font)
        byte = static_cast<char>(random.bounded(256));
    QFile file(m_folder.filePath(u"font.SpecCHR"_s));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(font) == font.size());
    QFile raw(m_folder.filePath(u"font.raw"_s));
    QVERIFY(raw.open(QIODevice::WriteOnly) && raw.write(font.first(256 * GlyphSize)));
}

void BenchConvert::toFormat_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("option");
    QTest::newRow("SpecCHR") << u"out.SpecCHR"_s << QString();
    QTest::newRow("TAP with a loader at 25000") << u"out.tap"_s << u"loader"_s;
    QTest::newRow("DEFB, hex") << u"out.asm"_s << QString();
    QTest::newRow("DEFB, bin") << u"out.asm"_s << u"bin"_s;
    QTest::newRow("C header") << u"out.h"_s << QString();
    QTest::newRow("PNG sheet") << u"out.png"_s << QString();
    QTest::newRow("PNG sheet, scale 4") << u"out.png"_s << u"scale"_s;
    QTest::newRow("PSF 2, 64 files") << u"out.psf"_s << u"each set"_s;
    QTest::newRow("BDF, 64 files") << u"out.bdf"_s << u"each set"_s;
    QTest::newRow("x86 db, hex") << u"out.nasm"_s << QString();
    QTest::newRow("6502 .byte, hex") << u"out.a65"_s << QString();
    QTest::newRow("68000 dc.b, hex") << u"out.68k"_s << QString();
    QTest::newRow("Rust") << u"out.rs"_s << QString();
    QTest::newRow("C64, 64 files") << u"out.64c"_s << u"each set"_s;
    QTest::newRow("Atari, 64 files") << u"out.fnt"_s << u"each set"_s;
    QTest::newRow("CPC BASIC, 64 files") << u"out.bas"_s << u"each set"_s;
    QTest::newRow("from raw 256 characters, 64 files") << u"out.SpecCHR"_s << u"from raw"_s;
}

void BenchConvert::toFormat()
{
    QFETCH(QString, output);
    QFETCH(QString, option);
    Request request;
    request.input = QFile::encodeName(m_folder.filePath(u"font.SpecCHR"_s));
    request.output = QFile::encodeName(m_folder.filePath(output));
    request.to = *formatOfPath(request.output);
    request.force = true;
    request.tap = {LowestLoaderAddress, option == u"loader", {}};
    request.base = option == u"bin" ? NumberBase::Binary : NumberBase::Hex;
    request.png.scale = option == u"scale" ? 4 : 1;
    // A raw font holds one set, so it is read 64 times, as the one-set formats are written.
    if (option == u"from raw") {
        request.input = QFile::encodeName(m_folder.filePath(u"font.raw"_s));
        request.from = Format::Raw;
    }
    const int files = option == u"each set" || option == u"from raw" ? MaxSets : 1;
    int failures = 0;
    QBENCHMARK
    {
        for (int set = 0; set < files; ++set) {
            request.set = option == u"each set" ? set : option == u"loader" ? 0 : -1;
            failures += convertFont(request).status != 0;
        }
    }
    QCOMPARE(failures, 0);
}

} // namespace Glyphery

QTEST_GUILESS_MAIN(Glyphery::BenchConvert)
#include "bench_convert.moc"
