// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/settings_file.h"

#include "font/font_file.h"
#include "font/safe_writer.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr qsizetype MaxSettingsBytes = 64 * 1024;
constexpr char Group[] = "[Settings]";

bool isGroup(const QByteArray &line)
{
    return line.trimmed().startsWith('[');
}

// The key of a line "Key=Value" of the group, or nothing.
QByteArray keyOf(const QByteArray &line)
{
    const qsizetype equals = line.indexOf('=');
    return equals < 0 || line.trimmed().startsWith(';') ? QByteArray()
                                                        : line.left(equals).trimmed();
}

QString valueOf(const QByteArray &line)
{
    QByteArray value = line.mid(line.indexOf('=') + 1).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.sliced(1, value.size() - 2);
    return QString::fromUtf8(value);
}

// Where the group's lines end: the next group, or the end of the file.
qsizetype groupEnd(const QList<QByteArray> &lines, qsizetype start)
{
    qsizetype end = start + 1;
    while (end < lines.size() && !isGroup(lines[end]))
        ++end;
    return end;
}

bool isAbsent(const QByteArray &path)
{
    struct stat status = {};
    return ::stat(path.constData(), &status) != 0 && errno == ENOENT;
}

// What may have come in the file's place while the program ran is left alone, as at start-up.
bool isSmallFile(const QByteArray &path)
{
    struct stat status = {};
    return ::stat(path.constData(), &status) == 0 && S_ISREG(status.st_mode)
        && status.st_size <= MaxSettingsBytes;
}

} // namespace

QString userSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + u"/Glyphery/Glyphery.conf"_s;
}

SettingsFile::SettingsFile(const QByteArray &path)
    : m_path(path)
{
    const FileRead file = readWholeFile(path, MaxSettingsBytes, {});
    m_usable = file.error.isEmpty() || isAbsent(path);
    if (file.error.isEmpty() && !file.bytes.isEmpty())
        m_lines = file.bytes.chopped(file.bytes.endsWith('\n') ? 1 : 0).split('\n');
}

QString SettingsFile::value(const QString &key, const QString &defaultValue) const
{
    if (m_set.contains(key))
        return m_set[key];
    const qsizetype start = m_lines.indexOf(Group);
    for (qsizetype i = start + 1; start >= 0 && i < groupEnd(m_lines, start); ++i) {
        if (keyOf(m_lines[i]) == key.toUtf8())
            return valueOf(m_lines[i]);
    }
    return defaultValue;
}

void SettingsFile::setValue(const QString &key, const QString &value)
{
    m_set.insert(key, value);
}

void SettingsFile::save() const
{
    if (!m_usable || m_set.isEmpty() || !(isAbsent(m_path) || isSmallFile(m_path)))
        return;
    QDir().mkpath(QFile::decodeName(m_path.left(m_path.lastIndexOf('/'))));
    writeWholeFile(m_path, text(), {.regularOnly = true});
}

// The text as read, with each set key's line in the group changed, or added at its end.
QByteArray SettingsFile::text() const
{
    QList<QByteArray> lines = m_lines;
    qsizetype start = lines.indexOf(Group);
    if (start < 0) {
        if (!lines.isEmpty())
            lines.append(QByteArray());
        lines.append(Group);
        start = lines.size() - 1;
    }
    for (auto set = m_set.cbegin(); set != m_set.cend(); ++set) {
        const QByteArray line = set.key().toUtf8() + '=' + set.value().toUtf8();
        const qsizetype end = groupEnd(lines, start);
        qsizetype i = start + 1;
        while (i < end && keyOf(lines[i]) != set.key().toUtf8())
            ++i;
        if (i < end)
            lines[i] = line;
        else
            lines.insert(end, line);
    }
    return lines.join('\n') + '\n';
}

} // namespace Glyphery
