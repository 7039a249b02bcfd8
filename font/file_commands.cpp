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
    if (AskSaveChanges(u"Создание нового шрифта"_s))
        replaceFont(noFileName(), [] {});
}

void FileCommands::mnuFileOpen()
{
    const std::optional<FileRead> file = chooseAndRead(specChrFilter(), [](const QString &path) {
        return readWholeFile(path, MaxFontBytes,
                             u"в шрифте может быть не больше 64 наборов, то есть 49152 байт."_s);
    });
    if (file)
        replaceFont(file->path, [&] { decodeSpecChr(file->bytes, m_font); });
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
    const std::optional<FileRead> file = chooseAndRead(gphFilter(), [](const QString &path) {
        return readFileStart(path, 1 + qsizetype(MaxSets) * GphSetBytes);
    });
    if (!file)
        return;
    const QString name = quotedPath(file->path);
    switch (checkGph(file->bytes)) {
    case GphProblem::Empty:
        showError(u"Файл %1 пуст: в нём нет шрифта gph."_s.arg(name));
        return;
    case GphProblem::TooManySets:
        showError(
            u"Файл %1 не удалось импортировать: в нём %2 наборов, а в шрифте может быть не больше 64."_s
                .arg(name, QString::number(static_cast<std::uint8_t>(file->bytes[0]) + 1)));
        return;
    case GphProblem::None:
        break;
    }
    replaceFont(noFileName(), [&] { decodeGph(file->bytes, m_font); });
}

// Open and import: the question about unsaved changes, the dialog, the whole read, or nothing
// when the user stops or cancels or the file cannot be read, which is then said.
std::optional<FileRead>
FileCommands::chooseAndRead(const FileFilter &filter,
                            const std::function<FileRead(const QString &)> &read)
{
    if (!AskSaveChanges(applicationTitle()))
        return std::nullopt;
    const QString path = m_services.openFileName(u"Open"_s, filter);
    if (path.isEmpty())
        return std::nullopt;
    FileRead file = read(path);
    if (!file.error.isEmpty()) {
        showError(file.error);
        return std::nullopt;
    }
    return file;
}

// New, Open and import start the store over: one set, the first shown, character 33 selected
// and in the edit square, no unsaved changes; decode puts a read font's pixels in (New keeps
// the pixels there are).
void FileCommands::replaceFont(const QString &fileName, const std::function<void()> &decode)
{
    m_font.modified = false;
    m_font.ResetView();
    decode();
    m_font.fileName = fileName;
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
