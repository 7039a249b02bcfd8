// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/russian_qt.h"

#include <QLibraryInfo>
#include <QLocale>

#include <clocale>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

void useRussianLocale()
{
    // Qt sets the C library's locale from the environment too; should the Russian locale not
    // be installed, that fails and leaves the one set here.
    std::setlocale(LC_ALL, "");
    // LC_ALL would override every category; what it said stays the default for the others.
    if (const QByteArray all = qgetenv("LC_ALL"); !all.isEmpty()) {
        qputenv("LANG", all);
        qunsetenv("LC_ALL");
    }
    for (const char *category :
         {"LC_MESSAGES", "LC_NUMERIC", "LC_TIME", "LC_MONETARY", "LC_MEASUREMENT"})
        qputenv(category, "ru_RU.UTF-8");
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
}

bool loadQtRussian(QTranslator &translator)
{
    return translator.load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace Glyphery
