// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the font file paths and of character selection: the SpecCHR codec, Open and Save
// of the largest font through the file commands, and one click in the overview strip.
// Each figure is the median over many repetitions, in microseconds per operation.

#include "bench_timing.h"
#include "editor/editor_state.h"
#include "editor/navigation.h"
#include "font/file_commands.h"
#include "font/specchr.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Answers every dialog with one path and never needs to be asked anything else; a message
// means that a command failed, which the bench reports.
class BenchServices : public PlatformServices
{
public:
    QString path;
    int messages = 0;

    MessageAnswer message(const QString &, const QString &, MessageButtons) override
    {
        ++messages;
        return MessageAnswer::No;
    }
    QString openFileName(const QString &, const FileFilter &) override { return path; }
    QString saveFileName(const QString &, const FileFilter &) override { return path; }
    QString readSetting(const QString &, const QString &defaultValue) override
    {
        return defaultValue;
    }
    void writeSetting(const QString &, const QString &) override { }
};

class CountingView : public FontView
{
public:
    long long fontRedraws = 0;
    long long editorRedraws = 0;

    void RedrawFont() override
    {
        ++fontRedraws;
        RedrawEditor();
    }
    void RedrawEditor() override { ++editorRedraws; }
};

struct Timing
{
    double wallMicroseconds;
    double cpuMicroseconds;
};

// Runs the operation `batch` times per sample, so that operations far shorter than the
// timer's own cost are still measured, and takes the median over the samples.
template<typename Operation> Timing measure(int samples, int batch, Operation &&operation)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    wall.reserve(std::size_t(samples));
    cpu.reserve(std::size_t(samples));
    for (int sample = 0; sample < samples; ++sample) {
        QElapsedTimer timer;
        const qint64 cpuStart = cpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID);
        timer.start();
        for (int run = 0; run < batch; ++run)
            operation();
        const qint64 elapsed = timer.nsecsElapsed();
        const qint64 cpuElapsed = cpuNanoseconds(CLOCK_PROCESS_CPUTIME_ID) - cpuStart;
        wall.push_back(double(elapsed) / 1000.0 / batch);
        cpu.push_back(double(cpuElapsed) / 1000.0 / batch);
    }
    return {median(std::move(wall)), median(std::move(cpu))};
}

void report(const char *operation, const Timing &timing)
{
    std::printf("%-44s %12.3f %12.3f\n", operation, timing.wallMicroseconds,
                timing.cpuMicroseconds);
}

// The file commands must stay far below what a user could notice, whatever the disk does.
constexpr double FileCommandCpuTarget = 1000.0;

void reportFileCommand(const char *operation, const Timing &timing)
{
    std::printf("%-44s %12.3f %12.3f   target: cpu well under %.0f us (%s)\n", operation,
                timing.wallMicroseconds, timing.cpuMicroseconds, FileCommandCpuTarget,
                timing.cpuMicroseconds < FileCommandCpuTarget ? "under" : "MISSED");
}

QByteArray randomFont()
{
    QRandomGenerator random(64);
    QByteArray bytes(MaxFontBytes, Qt::Uninitialized);
    for (char &byte : bytes)
        byte = static_cast<char>(random.bounded(256));
    return bytes;
}

} // namespace

} // namespace Glyphery

int main()
{
    using namespace Glyphery;

    const QByteArray file = randomFont();
    auto state = std::make_unique<EditorState>();
    CountingView view;
    BenchServices services;
    FileCommands commands(state->font, state->EditGrid, view, services);
    Navigation navigation(*state, view);

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "no temporary folder: %s\n", qPrintable(dir.errorString()));
        return 1;
    }
    services.path = dir.filePath(u"bench.SpecCHR"_s);
    {
        QFile out(services.path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(services.path));
            return 1;
        }
    }

    // Random bytes: every pixel is a coin toss, the worst case for branches on pixel values.
    std::printf("%-44s %12s %12s\n", "operation (median per call)", "wall us", "cpu us");

    report("decodeSpecChr, 64 sets (49,152 bytes)",
           measure(2001, 1, [&] { decodeSpecChr(file, state->font); }));
    QByteArray encoded;
    report("encodeSpecChr, 64 sets (49,152 bytes)",
           measure(2001, 1, [&] { encoded = encodeSpecChr(state->font); }));
    if (encoded != file) {
        std::fprintf(stderr, "the codec does not give back the bytes it read\n");
        return 1;
    }

    reportFileCommand("Open, 64-set file, through FileCommands",
                      measure(501, 1, [&] { commands.mnuFileOpen(); }));
    if (state->font.setCount() != MaxSets || state->font.fileName != services.path) {
        std::fprintf(stderr, "Open did not load the 64-set font\n");
        return 1;
    }
    reportFileCommand("Save, 64-set file, through FileCommands",
                      measure(501, 1, [&] { commands.mnuFileSave(); }));
    if (services.messages != 0) {
        std::fprintf(stderr, "a file command reported %d failure(s)\n", services.messages);
        return 1;
    }

    // Alternating between two cells, so that every call leaves one character and enters
    // another with storing and loading on, as a user clicking the strip does.
    bool flip = false;
    report("Navigation::selectAt (LeaveChar + EnterChar)", measure(1001, 1000, [&] {
               flip = !flip;
               navigation.selectAt(flip ? 30.0 : 700.0, flip ? 10.0 : 60.0);
           }));
    std::printf("redraws requested: %lld strip, %lld square\n", view.fontRedraws,
                view.editorRedraws);
    return 0;
}
