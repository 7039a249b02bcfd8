// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of glyphery-convert on the largest font: a 64-set SpecCHR converted to each output
// format, once in memory (the writer alone) and once as the program does it (read the file,
// check it, convert, write through the crash-safe writer). PSF and BDF hold one set, so their
// rows convert all 64 sets, one file each. Each figure is the median CPU time of a whole
// conversion, in milliseconds. The target is the conversion's own: with files, the reading
// and the crash-safe writing add a tenth of a millisecond or so a file, which depends on the
// disk rather than on the format.

#include "bench_timing.h"
#include "convert/conversion.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr double TargetMs = 10.0;
constexpr int Samples = 101;

double medianCpuMs(const std::function<void()> &operation)
{
    std::vector<double> times;
    for (int sample = 0; sample < Samples; ++sample) {
        const std::int64_t start = cpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID);
        operation();
        times.push_back(double(cpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID) - start) / 1e6);
    }
    return median(std::move(times));
}

QByteArray randomFont()
{
    QRandomGenerator random(64);
    QByteArray bytes(MaxFontBytes, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

struct Row
{
    const char *name;
    QString suffix;
    std::function<QByteArray(QByteArrayView set)> write; // one set, or the whole font
    bool oneSet;
    std::function<void(Request &)> options;
};

} // namespace

} // namespace Glyphery

int main()
{
    using namespace Glyphery;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    const QByteArray font = randomFont();
    Request request;
    request.input = dir.filePath(u"font.SpecCHR"_s);
    request.force = true;
    QFile file(request.input);
    if (!file.open(QIODevice::WriteOnly) || file.write(font) != font.size()) {
        std::fprintf(stderr, "cannot write the font\n");
        return 1;
    }

    const PngOptions png;
    const Row rows[] = {
        {"SpecCHR", u"SpecCHR"_s, [](QByteArrayView f) { return readSpecChr(f).font; }, false,
         [](Request &) {}},
        {"TAP at 16384", u"tap"_s,
         [](QByteArrayView f) {
             return writeTap(f, {16384, false, {}}).bytes;
         },
         false, [](Request &r) { r.tap.address = 16384; }},
        {"DEFB, hex", u"asm"_s,
         [](QByteArrayView f) { return writeAssembler(f, u"font"_s, 0, NumberBase::Hex); }, false,
         [](Request &) {}},
        {"DEFB, bin", u"asm"_s,
         [](QByteArrayView f) { return writeAssembler(f, u"font"_s, 0, NumberBase::Binary); },
         false, [](Request &r) { r.base = NumberBase::Binary; }},
        {"C header", u"h"_s, [](QByteArrayView f) { return writeCHeader(f, u"font"_s, 0); }, false,
         [](Request &) {}},
        {"PNG sheet", u"png"_s, [&](QByteArrayView f) { return writePngSheet(f, png); }, false,
         [](Request &) {}},
        {"PNG sheet, --scale 4", u"png"_s,
         [](QByteArrayView f) {
             return writePngSheet(f, {4, 0xff000000, 0xffffffff});
         },
         false, [](Request &r) { r.png.scale = 4; }},
        {"PSF 2, 64 files", u"psf"_s, [](QByteArrayView f) { return writePsf(f); }, true,
         [](Request &) {}},
        {"BDF, 64 files", u"bdf"_s, [](QByteArrayView f) { return writeBdf(f, u"font"_s); }, true,
         [](Request &) {}},
    };

    std::printf(
        "64-set font (49,152 bytes) to    in memory ms  with files ms   target (in memory)\n");
    int missed = 0;
    for (const Row &row : rows) {
        request.output = dir.filePath(u"out."_s + row.suffix);
        request.to = *formatOfPath(request.output);
        request.tap = {};
        request.base = NumberBase::Hex;
        request.png = {};
        row.options(request);
        const int files = row.oneSet ? MaxSets : 1;
        qsizetype written = 0;
        const double memory = medianCpuMs([&] {
            for (int set = 0; set < files; ++set) {
                written += row.oneSet
                    ? row.write(QByteArrayView(font).sliced(set * SetBytes, SetBytes)).size()
                    : row.write(font).size();
            }
        });
        int failures = 0;
        const double withFiles = medianCpuMs([&] {
            for (int set = 0; set < files; ++set) {
                request.set = row.oneSet ? set : -1;
                failures += convertFont(request).status != 0;
            }
        });
        const bool under = memory < TargetMs && failures == 0 && written > 0;
        missed += !under;
        std::printf("%-32s %12.3f %13.3f   < %.0f ms (%s)\n", row.name, memory, withFiles, TargetMs,
                    failures    ? "FAILED"
                        : under ? "under"
                                : "MISSED");
    }
    return missed == 0 ? 0 : 1;
}
