// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Glyphery {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct FileFilter
{
    QString description;
    QString pattern;
};

// Everything the commands ask of the desktop: questions, file dialogs and the settings store.
// The application uses the Qt implementation; tests script the answers.
class PlatformServices
{
public:
    virtual ~PlatformServices() = default;

    // A message box without an icon. Closing a box that offers Cancel counts as Cancel.
    virtual MessageAnswer message(const QString &text, const QString &title, MessageButtons buttons)
        = 0;
    // The chosen path, or an empty text when the user cancelled.
    virtual QString openFileName(const QString &title, const FileFilter &filter) = 0;
    virtual QString saveFileName(const QString &title, const FileFilter &filter) = 0;

    // Values of the section "Settings" of the per-user settings store.
    virtual QString readSetting(const QString &key, const QString &defaultValue) = 0;
    virtual void writeSetting(const QString &key, const QString &value) = 0;
};

inline QString applicationTitle()
{
    return QStringLiteral("Glyphery");
}

} // namespace Glyphery
