#pragma once

#include "shell/platform_services.h"

#include <QPointer>
#include <QSettings>
#include <QWidget>

namespace Glyphery {

// The desktop's message boxes and file dialogs, and QSettings in its native format
// (organisation and application "Glyphery", group "Settings").
class QtServices : public PlatformServices
{
public:
    QtServices();

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
    QSettings m_settings;
    // Dialogs open where the last one left off, for this run only.
    QString m_folder;
};

} // namespace Glyphery
