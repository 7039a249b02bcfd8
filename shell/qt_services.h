// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/platform_services.h"
#include "shell/settings_file.h"

#include <QPointer>
#include <QWidget>

namespace Glyphery {

// The desktop's message boxes and file dialogs, and the settings file.
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
    // Writes the settings this run set to the file, once, at the end.
    void saveSettings() const { m_settings.save(); }

private:
    QString rememberFolder(const QString &path);

    QPointer<QWidget> m_parent;
    SettingsFile m_settings;
    // Dialogs open where the last one left off, for this run only.
    QString m_folder;
};

} // namespace Glyphery
