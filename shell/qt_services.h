// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/platform_services.h"
#include "shell/settings_file.h"

#include <QPointer>
#include <QSettings>
#include <QWidget>

#include <memory>

namespace Glyphery {

// The desktop's message boxes and file dialogs, and the settings file in Qt's native format
// (group "Settings"). A settings file that cannot be used safely is neither read nor written:
// the program then runs on its defaults.
class QtServices : public PlatformServices
{
public:
    explicit QtServices(const QString &settingsFile = userSettingsFile());

    // The window that owns the boxes and dialogs.
    void setParentWindow(QWidget *window) { m_parent = window; }

    MessageAnswer message(const QString &text, const QString &title,
                          MessageButtons buttons) override;
    QString openFileName(const QString &title, const FileFilter &filter) override;
    QString saveFileName(const QString &title, const FileFilter &filter) override;
    QString readSetting(const QString &key, const QString &defaultValue) override;
    void writeSetting(const QString &key, const QString &value) override;

private:
    QString rememberFolder(const QString &path);

    QPointer<QWidget> m_parent;
    std::unique_ptr<QSettings> m_settings; // null when the file is left alone
    // Dialogs open where the last one left off, for this run only.
    QString m_folder;
};

} // namespace Glyphery
