// SPDX-License-Identifier: GPL-3.0-or-later
// glyphery-convert: converts Spectrum fonts between the forms they travel in.

#include "convert/command_line.h"

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
    const Outcome outcome = convertFont(line.request);
    if (!outcome.message.isEmpty())
        print(stderr, u"glyphery-convert: %1\n"_s.arg(outcome.message));
    return outcome.status;
}
