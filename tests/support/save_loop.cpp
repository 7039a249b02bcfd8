// SPDX-License-Identifier: GPL-3.0-or-later
// The child of test_crash_safe_save: saves font A, randomBytes(MaxFontBytes, 1), and font B,
// randomBytes(MaxFontBytes, 2), to one file in turn until it is killed. It prints "saving" once
// the file holds a whole font, so that a kill can only land in a save or between two.

#include "font/font_store.h"
#include "font/safe_writer.h"
#include "test_files.h"

#include <cstdio>

using namespace Glyphery;

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const QString target = QFile::decodeName(argv[1]);
    const QByteArray fonts[2] = {randomBytes(MaxFontBytes, 1), randomBytes(MaxFontBytes, 2)};
    for (unsigned save = 0;; ++save) {
        const QString error = writeWholeFile(target, fonts[save % 2]);
        if (!error.isEmpty()) {
            std::fprintf(stderr, "save_loop: %s\n", qPrintable(error));
            return 1;
        }
        if (save == 0)
            std::puts("saving");
    }
}
