// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/conversion.h"

#include <QByteArray>
#include <QList>

namespace Glyphery {

// One conversion the command line asks for, or why it cannot be made.
struct Job
{
    Request request;
    QString error; // about this input alone, in Russian
};

struct CommandLine
{
    QList<Job> jobs;
    // --out-dir: each input goes to the folder under its own name, and a failure of one stops
    // none of the others.
    bool batch = false;
    bool help = false;
    bool version = false;
    QString error; // a mistake of the whole command line, in Russian
};

// The arguments after the program's name, as the system gave them.
CommandLine parseCommandLine(const QList<QByteArray> &arguments);

QString helpText();

} // namespace Glyphery
