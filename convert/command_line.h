// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/conversion.h"

#include <QByteArray>
#include <QList>

namespace Glyphery {

struct CommandLine
{
    Request request;
    bool help = false;
    bool version = false;
    QString error; // a usage error, in Russian
};

// The arguments after the program's name, as the system gave them.
CommandLine parseCommandLine(const QList<QByteArray> &arguments);

QString helpText();

} // namespace Glyphery
