// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/scripted_services.h"

#include <QTest>

namespace Glyphery {

MessageAnswer ScriptedServices::message(const QString &text, const QString &title,
                                        MessageButtons buttons)
{
    messages.append({text, title, buttons});
    if (buttons == MessageButtons::Ok)
        return MessageAnswer::Ok;
    if (answers.isEmpty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__,
                     __LINE__);
        return MessageAnswer::Cancel;
    }
    return answers.dequeue();
}

QString ScriptedServices::openFileName(const QString &title, const FileFilter &filter)
{
    dialogs.append({QStringLiteral("open"), title, filter});
    if (fileNames.isEmpty()) {
        QTest::qFail("unexpected open dialog", __FILE__, __LINE__);
        return {};
    }
    return fileNames.dequeue();
}

QString ScriptedServices::saveFileName(const QString &title, const FileFilter &filter)
{
    dialogs.append({QStringLiteral("save"), title, filter});
    if (fileNames.isEmpty()) {
        QTest::qFail("unexpected save dialog", __FILE__, __LINE__);
        return {};
    }
    return fileNames.dequeue();
}

QString ScriptedServices::readSetting(const QString &key, const QString &defaultValue)
{
    return settings.value(key, defaultValue);
}

void ScriptedServices::writeSetting(const QString &key, const QString &value)
{
    settings.insert(key, value);
    writtenKeys.append(key);
}

} // namespace Glyphery
