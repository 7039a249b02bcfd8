// SPDX-License-Identifier: GPL-3.0-or-later
// glyphery-convert: converts Spectrum fonts between the forms they travel in.

#include "convert/command_line.h"
#include "font/file_reasons.h"

#include <QCoreApplication>

#include <cstdio>

using namespace Qt::Literals::StringLiterals;

namespace {

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toUtf8().constData(), stream);
}

// Qt and libpng report in English on stderr (a picture libpng refuses, a locale that is not
// UTF-8). The converter checks every result it gets from them and says in Russian what
// failed, so their own lines are not passed on; a fatal one is said before Qt aborts.
void quietLibraries(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        print(stderr, u"glyphery-convert: внутренняя ошибка библиотеки Qt.\n"_s);
}

// A batch fails when any of its files does; it is in doubt when none failed but one was
// written in doubt.
int batchStatus(int status, int fileStatus)
{
    using namespace Glyphery;
    if (status == InputError || (fileStatus != 0 && fileStatus != WrittenInDoubt))
        return InputError;
    return fileStatus == WrittenInDoubt ? WrittenInDoubt : status;
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace Glyphery;
    qInstallMessageHandler(quietLibraries);
    // Not QCoreApplication::arguments(): it turns a file name that is not UTF-8 into another.
    const QList<QByteArray> arguments(argv + 1, argv + argc);
    const QCoreApplication application(argc, argv);
    const CommandLine line = parseCommandLine(arguments);
    if (line.help) {
        print(stdout, helpText());
        return 0;
    }
    if (line.version) {
        print(stdout, u"glyphery-convert " GLYPHERY_VERSION "\n"_s);
        return 0;
    }
    if (!line.error.isEmpty()) {
        print(stderr,
              u"glyphery-convert: %1\nСправка: glyphery-convert --help\n"_s.arg(line.error));
        return UsageError;
    }
    int status = 0;
    for (const Job &job : line.jobs) {
        const Outcome outcome = job.error.isEmpty()
            ? convertFont(job.request)
            : Outcome {InputError, u"%1: %2"_s.arg(quotedPath(job.request.input), job.error)};
        if (!outcome.message.isEmpty())
            print(stderr, u"glyphery-convert: %1\n"_s.arg(outcome.message));
        status = line.batch ? batchStatus(status, outcome.status) : outcome.status;
    }
    return status;
}
