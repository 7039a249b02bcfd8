// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/conversion.h"

#include <QStringList>

namespace Glyphery {

struct CommandLine
{
    Request request;
    bool help = false;
    QString error; // a usage error, in Russian
};

// The arguments after the program's name.
CommandLine parseCommandLine(const QStringList &arguments);

QString helpText();

} // namespace Glyphery
