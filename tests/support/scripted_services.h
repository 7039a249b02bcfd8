// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "font/platform_services.h"

#include <QList>
#include <QMap>
#include <QQueue>

namespace Glyphery {

// Answers questions and dialogs from queues and records everything it was asked. An answer
// that was not queued fails the test: every question a command asks must be expected.
class ScriptedServices : public PlatformServices
{
public:
    struct Message
    {
        QString text;
        QString title;
        MessageButtons buttons;
    };
    struct Dialog
    {
        QString kind; // "open" or "save"
        QString title;
        FileFilter filter;
    };

    QQueue<MessageAnswer> answers;
    QQueue<QString> fileNames; // an empty name is a cancelled dialog
    QList<Message> messages;
    QList<Dialog> dialogs;
    QMap<QString, QString> settings;
    QList<QString> writtenKeys;

    MessageAnswer message(const QString &text, const QString &title,
                          MessageButtons buttons) override;
    QString openFileName(const QString &title, const FileFilter &filter) override;
    QString saveFileName(const QString &title, const FileFilter &filter) override;
    QString readSetting(const QString &key, const QString &defaultValue) override;
    void writeSetting(const QString &key, const QString &value) override;

    bool allAnswered() const { return answers.isEmpty() && fileNames.isEmpty(); }
};

} // namespace Glyphery
