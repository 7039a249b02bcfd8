// SPDX-License-Identifier: GPL-3.0-or-later
// glyphery-convert on the largest font: a 64-set SpecCHR to each output format, and each input
// format back to SpecCHR, as the program does it (read, check, convert, write through the safe
// writer). PSF, BDF and the other machines' fonts hold one set, so their rows write all 64
// sets, a file each, and a raw font is read 64 times; a screen holds 8 sets, a snapshot's font
// is one. Run
//     bench_convert -perf -perfcounter taskclock -median 9
// for the CPU time of each whole conversion in nanoseconds; each must stay well under 10 ms.

#include "convert/conversion.h"

#include <libspectrum.h>

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
    bool write(const QString &name, const QByteArray &bytes);
    bool convert(const QString &input, const QString &output, int address = 64000);
    bool writeSnapshots(const QByteArray &set);

    QTemporaryDir m_folder;
};

bool BenchConvert::write(const QString &name, const QByteArray &bytes)
{
    QFile file(m_folder.filePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

bool BenchConvert::convert(const QString &input, const QString &output, int address)
{
    Request request;
    request.input = QFile::encodeName(m_folder.filePath(input));
    request.output = QFile::encodeName(m_folder.filePath(output));
    request.to = *formatOfPath(request.output);
    request.tap.address = address;
    return convertFont(request).status == 0;
}

// A 48K .sna whose CHARS points at the set, at 60000, with the PC on the stack as a .sna keeps
// it; libspectrum makes the .z80 and the .szx of it.
bool BenchConvert::writeSnapshots(const QByteArray &set)
{
    QByteArray sna(27 + 49152, '\0');
    sna[24] = '\xff'; // SP 65280, where PC 32768 lies
    sna.replace(27 + 23606 - 16384, 2, "\x60\xe9"); // CHARS 59744
    sna.replace(27 + 60000 - 16384, SetBytes, set);
    sna.replace(27 + 65280 - 16384, 2, QByteArray("\x00\x80", 2));
    libspectrum_snap *snap = libspectrum_snap_alloc();
    bool written = libspectrum_init() == LIBSPECTRUM_ERROR_NONE && write(u"in.sna"_s, sna)
        && libspectrum_snap_read(snap, reinterpret_cast<const libspectrum_byte *>(sna.data()),
                                 size_t(sna.size()), LIBSPECTRUM_ID_SNAPSHOT_SNA, nullptr)
            == LIBSPECTRUM_ERROR_NONE;
    for (const auto &[name, type] : {std::pair {u"in.z80"_s, LIBSPECTRUM_ID_SNAPSHOT_Z80},
                                     std::pair {u"in.szx"_s, LIBSPECTRUM_ID_SNAPSHOT_SZX}}) {
        libspectrum_byte *bytes = nullptr;
        size_t length = 0;
        int lost = 0;
        written = written
            && libspectrum_snap_write(&bytes, &length, &lost, snap, type, nullptr, 0)
                == LIBSPECTRUM_ERROR_NONE
            && write(name, QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(length)));
        libspectrum_free(bytes);
    }
    libspectrum_snap_free(snap);
    return written;
}

void BenchConvert::initTestCase()
{
    QByteArray font(MaxFontBytes, Qt::Uninitialized);
    QRandomGenerator random(64);
    for (char &byte : font)
        byte = static_cast<char>(random.bounded(256));
    QVERIFY(write(u"font.SpecCHR"_s, font));
    QVERIFY(write(u"font8.SpecCHR"_s, font.first(ScreenSets * SetBytes)));
    QVERIFY(write(u"font.raw"_s, font.first(256 * GlyphSize)));
    // The inputs of the rows that read, made by the converter itself.
    QVERIFY(convert(u"font.SpecCHR"_s, u"in.tzx"_s, 16384));
    QVERIFY(convert(u"font8.SpecCHR"_s, u"in.scr"_s));
    QVERIFY(writeSnapshots(font.first(SetBytes)));
}

void BenchConvert::toFormat_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("option");
    const QString font = u"font.SpecCHR"_s;
    const QString fromFile = u"out.SpecCHR"_s;
    QTest::newRow("SpecCHR") << font << u"out.SpecCHR"_s << QString();
    QTest::newRow("TAP with a loader at 25000") << font << u"out.tap"_s << u"loader"_s;
    QTest::newRow("DEFB, hex") << font << u"out.asm"_s << QString();
    QTest::newRow("DEFB, bin") << font << u"out.asm"_s << u"bin"_s;
    QTest::newRow("C header") << font << u"out.h"_s << QString();
    QTest::newRow("PNG sheet") << font << u"out.png"_s << QString();
    QTest::newRow("PNG sheet, scale 4") << font << u"out.png"_s << u"scale"_s;
    QTest::newRow("PSF 2, 64 files") << font << u"out.psf"_s << u"each set"_s;
    QTest::newRow("BDF, 64 files") << font << u"out.bdf"_s << u"each set"_s;
    QTest::newRow("x86 db, hex") << font << u"out.nasm"_s << QString();
    QTest::newRow("6502 .byte, hex") << font << u"out.a65"_s << QString();
    QTest::newRow("68000 dc.b, hex") << font << u"out.68k"_s << QString();
    QTest::newRow("Rust") << font << u"out.rs"_s << QString();
    QTest::newRow("C64, 64 files") << font << u"out.64c"_s << u"each set"_s;
    QTest::newRow("Atari, 64 files") << font << u"out.fnt"_s << u"each set"_s;
    QTest::newRow("CPC BASIC, 64 files") << font << u"out.bas"_s << u"each set"_s;
    QTest::newRow("TAP at 16384") << font << u"out.tap"_s << u"low"_s;
    QTest::newRow("TZX at 16384") << font << u"out.tzx"_s << u"low"_s;
    QTest::newRow("screen, 8 sets") << u"font8.SpecCHR"_s << u"out.scr"_s << QString();
    QTest::newRow("from raw 256 characters, 64 files")
        << u"font.raw"_s << fromFile << u"64 times"_s;
    QTest::newRow("from TZX") << u"in.tzx"_s << fromFile << QString();
    QTest::newRow("from a screen, 8 sets") << u"in.scr"_s << fromFile << QString();
    QTest::newRow("from .sna, 1 set") << u"in.sna"_s << fromFile << QString();
    QTest::newRow("from .z80, 1 set") << u"in.z80"_s << fromFile << QString();
    QTest::newRow("from .szx, 1 set") << u"in.szx"_s << fromFile << QString();
}

void BenchConvert::toFormat()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    QFETCH(QString, option);
    Request request;
    request.input = QFile::encodeName(m_folder.filePath(input));
    request.output = QFile::encodeName(m_folder.filePath(output));
    request.from = *formatOfPath(request.input);
    request.to = *formatOfPath(request.output);
    request.force = true;
    request.tap = {option == u"low" ? 16384 : LowestLoaderAddress, option == u"loader", {}};
    request.base = option == u"bin" ? NumberBase::Binary : NumberBase::Hex;
    request.png.scale = option == u"scale" ? 4 : 1;
    request.cells = SheetCells.toString();
    const int files = option == u"each set" || option == u"64 times" ? MaxSets : 1;
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
