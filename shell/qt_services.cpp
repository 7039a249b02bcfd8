// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/qt_services.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
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
        QFileDialog::getOpenFileName(m_parent, title, m_folder, dialogFilter(filter)));
}

QString QtServices::saveFileName(const QString &title, const FileFilter &filter)
{
    // The save command asks its own question about an existing file.
    return rememberFolder(QFileDialog::getSaveFileName(m_parent, title, m_folder,
                                                       dialogFilter(filter), nullptr,
                                                       QFileDialog::DontConfirmOverwrite));
}

QString QtServices::readSetting(const QString &key, const QString &defaultValue)
{
    return m_settings.value(key, defaultValue);
}

void QtServices::writeSetting(const QString &key, const QString &value)
{
    m_settings.setValue(key, value);
}

QString QtServices::rememberFolder(const QString &path)
{
    if (!path.isEmpty())
        m_folder = QFileInfo(path).absolutePath();
    return path;
}

} // namespace Glyphery
