// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/file_commands.h"

#include "font/file_reasons.h"
#include "font/font_file.h"
#include "font/gph.h"
#include "font/safe_writer.h"
#include "font/specchr.h"

#include <QFileInfo>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

FileFilter specChrFilter()
{
    return {u"Шрифт Spectrum (*.SpecCHR)"_s, u"*.SpecCHR"_s};
}

FileFilter gphFilter()
{
    return {u"Шрифт Spectrum формата gph (*.gph)"_s, u"*.gph"_s};
}

FileCommands::FileCommands(FontStore &font, Glyph &editGrid, FontView &view,
                           PlatformServices &services)
    : m_font(font)
    , m_editGrid(editGrid)
    , m_view(view)
    , m_services(services)
{
}

bool FileCommands::AskSaveChanges(const QString &title)
{
    if (!m_font.modified)
        return true;
    switch (m_services.message(u"Сохранить изменения?"_s, title, MessageButtons::YesNoCancel)) {
    case MessageAnswer::Yes:
        return mnuFileSave();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void FileCommands::mnuFileNew()
{
    if (!AskSaveChanges(u"Создание нового шрифта"_s))
        return;
    m_font.modified = false;
    m_font.ResetView();
    m_font.fileName = noFileName();
    showNewFont();
}

void FileCommands::mnuFileOpen()
{
    if (!AskSaveChanges(applicationTitle()))
        return;
    const QString path = m_services.openFileName(u"Open"_s, specChrFilter());
    if (path.isEmpty())
        return;
    const FileRead read = readWholeFile(
        path, MaxFontBytes, u"в шрифте может быть не больше 64 наборов, то есть 49152 байт."_s);
    if (!read.error.isEmpty()) {
        showError(read.error);
        return;
    }
    m_font.modified = false;
    m_font.ResetView();
    m_font.fileName = path;
    decodeSpecChr(read.bytes, m_font);
    showNewFont();
}

bool FileCommands::mnuFileSave()
{
    if (!m_font.hasFile())
        return mnuFileSaveAs();
    return WriteFontFile(m_font.fileName);
}

bool FileCommands::mnuFileSaveAs()
{
    const QString path = m_services.saveFileName(u"Save"_s, specChrFilter());
    if (path.isEmpty())
        return false;
    const QFileInfo target(path);
    if (target.isFile() && target.size() != 0
        && m_services.message(u"Файл с таким именем существует, заменить?"_s, applicationTitle(),
                              MessageButtons::YesNo)
            != MessageAnswer::Yes)
        return false;
    if (!WriteFontFile(path))
        return false;
    m_font.fileName = path;
    return true;
}

void FileCommands::gphload()
{
    if (!AskSaveChanges(applicationTitle()))
        return;
    const QString path = m_services.openFileName(u"Open"_s, gphFilter());
    if (path.isEmpty())
        return;
    const FileRead read = readFileStart(path, 1 + qsizetype(MaxSets) * GphSetBytes);
    if (!read.error.isEmpty()) {
        showError(read.error);
        return;
    }
    const QString name = quotedPath(path);
    switch (checkGph(read.bytes)) {
    case GphProblem::Empty:
        showError(u"Файл %1 пуст: в нём нет шрифта gph."_s.arg(name));
        return;
    case GphProblem::TooManySets:
        showError(
            u"Файл %1 не удалось импортировать: в нём %2 наборов, а в шрифте может быть не больше 64."_s
                .arg(name, QString::number(static_cast<std::uint8_t>(read.bytes[0]) + 1)));
        return;
    case GphProblem::None:
        break;
    }
    m_font.modified = false;
    m_font.ResetView();
    decodeGph(read.bytes, m_font);
    m_font.fileName = noFileName();
    showNewFont();
}

bool FileCommands::WriteFontFile(const QString &path)
{
    const QString error = writeWholeFile(path, encodeSpecChr(m_font));
    if (!error.isEmpty()) {
        showError(error);
        return false;
    }
    m_font.modified = false;
    return true;
}

void FileCommands::showError(const QString &text)
{
    m_services.message(text, applicationTitle(), MessageButtons::Ok);
}

void FileCommands::showNewFont()
{
    m_editGrid = m_font.selectedGlyph();
    m_view.RedrawFont();
}

} // namespace Glyphery
