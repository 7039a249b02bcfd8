// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/file_commands.h"

#include "font/file_reasons.h"
#include "font/font_file.h"
#include "font/gph.h"
#include "font/safe_writer.h"
#include "font/specchr.h"

#include <QFile>
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
    const std::optional<ChosenFile> file
        = chooseAndRead(specChrFilter(), [](const QByteArray &path) {
              return readWholeFile(path, MaxFontBytes, specChrTooLong());
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
    if (path.isEmpty() || !isFaithful(path))
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
    const std::optional<ChosenFile> file = chooseAndRead(
        gphFilter(), [](const QByteArray &path) { return readFileStart(path, GphMaxBytes); });
    if (!file)
        return;
    if (const GphProblem problem = checkGph(file->bytes); problem != GphProblem::None) {
        showError(gphRefusal(problem, file->bytes, quotedPath(QFile::encodeName(file->path))));
        return;
    }
    replaceFont(noFileName(), [&] { decodeGph(file->bytes, m_font); });
}

// Open and import: the question about unsaved changes, the dialog, the whole read, or nothing
// when the user stops or cancels or the file cannot be read, which is then said.
std::optional<FileCommands::ChosenFile>
FileCommands::chooseAndRead(const FileFilter &filter,
                            const std::function<FileRead(const QByteArray &)> &read)
{
    if (!AskSaveChanges(applicationTitle()))
        return std::nullopt;
    const QString path = m_services.openFileName(u"Open"_s, filter);
    if (path.isEmpty() || !isFaithful(path))
        return std::nullopt;
    FileRead file = read(QFile::encodeName(path));
    if (!file.error.isEmpty()) {
        showError(file.error);
        return std::nullopt;
    }
    return ChosenFile {path, file.bytes};
}

// Qt shows the bytes of a name that is not UTF-8 as U+FFFD, and a name with it would name
// another file.
bool FileCommands::isFaithful(const QString &path)
{
    if (!path.contains(QChar::ReplacementCharacter))
        return true;
    showError(u"Имя файла %1 не удаётся передать системе в точности: в нём есть байты не в "
              u"кодировке UTF-8. Переименуйте файл или выберите другое имя."_s.arg(
                  quotedPath(QFile::encodeName(path))));
    return false;
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
    const SaveResult result = writeWholeFile(QFile::encodeName(path), encodeSpecChr(m_font));
    if (!result.error.isEmpty()) {
        showError(result.error);
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
