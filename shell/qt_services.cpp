// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_services.h"

#include "shell/file_dialogs.h"
#include "shell/whole_title.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

QString dialogFilter(const FileFilter &filter)
{
    // The description already ends in the pattern in brackets, which is what Qt reads.
    return filter.description.endsWith(u'(' + filter.pattern + u')')
        ? filter.description
        : u"%1 (%2)"_s.arg(filter.description, filter.pattern);
}

} // namespace

QtServices::QtServices(const QString &settingsFile)
    : m_settings(QFile::encodeName(settingsFile))
    , m_folder(QDir::homePath())
{
}

MessageAnswer QtServices::message(const QString &text, const QString &title, MessageButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::NoButton, m_parent);
    switch (buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    keepTitleWhole(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    default:
        return MessageAnswer::Cancel;
    }
}

QString QtServices::openFileName(const QString &title, const FileFilter &filter)
{
    return rememberFolder(
        askFileName(m_parent, QFileDialog::AcceptOpen, title, m_folder, dialogFilter(filter)));
}

QString QtServices::saveFileName(const QString &title, const FileFilter &filter)
{
    return rememberFolder(
        askFileName(m_parent, QFileDialog::AcceptSave, title, m_folder, dialogFilter(filter)));
}

QString QtServices::readSetting(const QString &key, const QString &defaultValue)
{
    return m_settings.value(key, defaultValue);
}

void QtServices::writeSetting(const QString &key, const QString &value)
{
    m_settings.setValue(key, value);
}

// A name chosen in a kernel folder (a failed save into /proc, say) does not take the next
// dialog there.
QString QtServices::rememberFolder(const QString &path)
{
    if (const QString folder = QFileInfo(path).absolutePath();
        !path.isEmpty() && isOrdinaryFolder(folder))
        m_folder = folder;
    return path;
}

} // namespace Glyphery
