#include "shell/russian_translation.h"

#include <QLibraryInfo>
#include <QLocale>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

bool loadQtRussian(QTranslator &translator)
{
    return translator.load(QLocale(QLocale::Russian), u"qtbase"_s, u"_"_s,
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

} // namespace Glyphery
