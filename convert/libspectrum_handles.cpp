// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/libspectrum_handles.h"

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

libspectrum_error quietly(libspectrum_error error, const char *, va_list)
{
    return error;
}

} // namespace

QString startLibspectrum()
{
    static const libspectrum_error started = [] {
        libspectrum_error_function = quietly;
        return libspectrum_init();
    }();
    return started == LIBSPECTRUM_ERROR_NONE
        ? QString()
        : u"библиотека libspectrum не запустилась (ошибка %1)."_s.arg(int(started));
}

QString libspectrumReason(libspectrum_error error)
{
    switch (error) {
    case LIBSPECTRUM_ERROR_CORRUPT:
        return u"файл повреждён или обрезан."_s;
    case LIBSPECTRUM_ERROR_SIGNATURE:
        return u"в начале файла нет подписи этого формата."_s;
    case LIBSPECTRUM_ERROR_UNKNOWN:
        return u"в файле то, чего в этом формате не бывает."_s;
    case LIBSPECTRUM_ERROR_MEMORY:
        return u"на него не хватило памяти."_s;
    default:
        return u"библиотека libspectrum не смогла его прочитать (ошибка %1)."_s.arg(int(error));
    }
}

QString readyToRead(QByteArrayView bytes)
{
    if (const QString reason = startLibspectrum(); !reason.isEmpty())
        return reason;
    libspectrum_id_t type = LIBSPECTRUM_ID_UNKNOWN;
    libspectrum_class_t kind = LIBSPECTRUM_CLASS_UNKNOWN;
    if (libspectrum_identify_file_raw(&type, nullptr, bytesOf(bytes), size_t(bytes.size()))
            != LIBSPECTRUM_ERROR_NONE
        || libspectrum_identify_class(&kind, type) != LIBSPECTRUM_ERROR_NONE)
        return u"библиотека libspectrum не смогла понять, что это за файл."_s;
    if (kind == LIBSPECTRUM_CLASS_COMPRESSED)
        return u"файл сжат (gzip, bzip2 или zip); распакуйте его и преобразуйте распакованный."_s;
    return {};
}

} // namespace Glyphery
