// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>

namespace Glyphery {

// The user's settings file: Glyphery/Glyphery.conf in the desktop's configuration folder
// (~/.config unless XDG_CONFIG_HOME says otherwise).
QString userSettingsFile();

// The settings file in Qt's INI format, group [Settings]: read once at start-up, written once
// at the end with the values this run set, the rest of its text as it was.
//
// It is read only when it is a regular file (after following links) of at most 64 KiB,
// checked on the descriptor it is read from, and it is written only over such a file or none,
// through the safe writer and with no lock file: a FIFO, a device, a folder or a huge file in
// its place, then or later, can neither block the program nor be replaced by a regular file.
class SettingsFile
{
public:
    explicit SettingsFile(const QByteArray &path);

    QString value(const QString &key, const QString &defaultValue) const;
    void setValue(const QString &key, const QString &value);

    // Writes the values set since start-up, if any.
    void save() const;

private:
    QByteArray text() const;

    QByteArray m_path;
    bool m_usable = false;
    QList<QByteArray> m_lines; // as read, without their line ends
    QMap<QString, QString> m_set;
};

} // namespace Glyphery
