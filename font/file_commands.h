// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/font_file.h"
#include "font/font_store.h"
#include "font/font_view.h"
#include "font/platform_services.h"

#include <functional>
#include <optional>

namespace Glyphery {

// New, Open, Save, Save As and gph import. A command that fails or is cancelled leaves the
// store, the selection, fileName and modified as it found them.
class FileCommands
{
public:
    // editGrid: the edit square's working copy, which a new font's selected character fills.
    FileCommands(FontStore &font, Glyph &editGrid, FontView &view, PlatformServices &services);

    // Asks whether to save unsaved changes; false means the calling command must stop: the
    // user cancelled, or chose to save and the font was not written.
    bool AskSaveChanges(const QString &title);

    void mnuFileNew();
    void mnuFileOpen();
    bool mnuFileSave();
    bool mnuFileSaveAs();
    void gphload();

private:
    struct ChosenFile
    {
        QString path;
        QByteArray bytes;
    };

    std::optional<ChosenFile>
    chooseAndRead(const FileFilter &filter,
                  const std::function<FileRead(const QByteArray &)> &read);
    bool isFaithful(const QString &path);
    void replaceFont(const QString &fileName, const std::function<void()> &decode);
    bool WriteFontFile(const QString &path);
    void showError(const QString &text);
    // After a whole font has been put into the store: the edit square shows the selected
    // character of the new font, so the next store cannot carry a glyph of the old one into it.
    void showNewFont();

    FontStore &m_font;
    Glyph &m_editGrid;
    FontView &m_view;
    PlatformServices &m_services;
};

FileFilter specChrFilter();
FileFilter gphFilter();

} // namespace Glyphery
