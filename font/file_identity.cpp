// SPDX-License-Identifier: GPL-3.0-or-later
#include "font/file_identity.h"

#include <QVarLengthArray>

#include <algorithm>
#include <cerrno>
#include <functional>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr char Capabilities[] = "security.capability";

// The calls that read a file's attributes, by path or by descriptor.
struct AttributeReader
{
    std::function<ssize_t(char *, size_t)> list;
    std::function<ssize_t(const char *, void *, size_t)> get;
};

// A file system without extended attributes lists none.
bool readAttributes(const AttributeReader &reader, FileIdentity &identity)
{
    const ssize_t size = reader.list(nullptr, 0);
    if (size < 0)
        return errno == ENOTSUP;
    QByteArray list(qsizetype(size), '\0');
    const ssize_t length = reader.list(list.data(), size_t(list.size()));
    if (length < 0)
        return false;
    list.truncate(length);
    for (const QByteArray &name : list.split('\0')) {
        if (name.isEmpty())
            continue;
        const ssize_t valueSize = reader.get(name.constData(), nullptr, 0);
        QByteArray value(qMax<ssize_t>(valueSize, 0), '\0');
        if (valueSize < 0
            || reader.get(name.constData(), value.data(), size_t(value.size())) != valueSize) {
            if (errno != EACCES && errno != EPERM)
                return false;
            identity.complete = false;
            continue;
        }
        identity.attributes.append({name, value});
    }
    std::sort(identity.attributes.begin(), identity.attributes.end());
    return true;
}

void takeStatus(const struct stat &status, FileIdentity &identity)
{
    identity.owner = status.st_uid;
    identity.group = status.st_gid;
    identity.mode = status.st_mode & 07777;
}

bool hasAttribute(const FileIdentity &identity, const QByteArray &name)
{
    return std::any_of(identity.attributes.cbegin(), identity.attributes.cend(),
                       [&name](const auto &attribute) { return attribute.first == name; });
}

// The attributes become exactly the wanted ones: what the new file inherited from its folder
// (a default ACL) goes first.
bool setAttributes(int fd, const FileIdentity &wanted)
{
    FileIdentity present;
    if (!readIdentity(fd, present))
        return false;
    for (const auto &attribute : std::as_const(present.attributes)) {
        if (!hasAttribute(wanted, attribute.first)
            && ::fremovexattr(fd, attribute.first.constData()) != 0)
            return false;
    }
    for (const auto &[name, value] : wanted.attributes) {
        if (::fsetxattr(fd, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return false;
    }
    return true;
}

bool setMode(int fd, mode_t mode)
{
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return false;
    // A file system that has one mode for all its files (FAT) refuses to change it even to
    // itself.
    return (status.st_mode & 07777) == mode || ::fchmod(fd, mode) == 0;
}

bool hasIdentity(int fd, const FileIdentity &wanted)
{
    FileIdentity present;
    if (!readIdentity(fd, present))
        return false;
    if (!wanted.complete) // what this process may not read, it cannot compare
        present.complete = false;
    if (present == wanted)
        return true;
    errno = EPERM;
    return false;
}

bool isMember(gid_t group)
{
    QVarLengthArray<gid_t, 64> groups(qMax(::getgroups(0, nullptr), 0));
    groups.resize(qMax(::getgroups(int(groups.size()), groups.data()), 0));
    return ::getegid() == group || groups.contains(group);
}

} // namespace

bool readIdentity(const QByteArray &path, FileIdentity &identity)
{
    struct stat status = {};
    identity = {};
    if (::lstat(path.constData(), &status) != 0)
        return false;
    takeStatus(status, identity);
    const char *name = path.constData();
    return readAttributes({[name](char *to, size_t size) { return ::llistxattr(name, to, size); },
                           [name](const char *key, void *to, size_t size) {
                               return ::lgetxattr(name, key, to, size);
                           }},
                          identity);
}

bool readIdentity(int fd, FileIdentity &identity)
{
    struct stat status = {};
    identity = {};
    if (::fstat(fd, &status) != 0)
        return false;
    takeStatus(status, identity);
    return readAttributes(
        {[fd](char *to, size_t size) { return ::flistxattr(fd, to, size); },
         [fd](const char *key, void *to, size_t size) { return ::fgetxattr(fd, key, to, size); }},
        identity);
}

bool giveIdentity(int fd, const FileIdentity &identity)
{
    if (!identity.complete) {
        errno = EACCES;
        return false;
    }
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        return false;
    if ((status.st_uid != identity.owner || status.st_gid != identity.group)
        && ::fchown(fd, identity.owner, identity.group) != 0)
        return false;
    return setAttributes(fd, identity) && setMode(fd, identity.mode) && hasIdentity(fd, identity);
}

QStringList lostByWriting(const FileIdentity &identity)
{
    const bool root = ::geteuid() == 0;
    QStringList lost;
    const bool setIdCleared
        = (identity.mode & S_ISUID) || ((identity.mode & S_ISGID) && (identity.mode & S_IXGRP));
    const bool modeRestorable
        = identity.owner == ::geteuid() && (!(identity.mode & S_ISGID) || isMember(identity.group));
    if (!root && setIdCleared && !modeRestorable)
        lost.append(u"биты set-user-ID и set-group-ID"_s);
    if (!root && hasAttribute(identity, Capabilities))
        lost.append(u"права программы (атрибут security.capability)"_s);
    return lost;
}

// What cannot be put back shows in the comparison at the end.
bool restoreAfterWriting(int fd, const FileIdentity &identity)
{
    setMode(fd, identity.mode);
    for (const auto &[name, value] : identity.attributes) {
        if (name == Capabilities)
            ::fsetxattr(fd, Capabilities, value.constData(), size_t(value.size()), 0);
    }
    return hasIdentity(fd, identity);
}

} // namespace Glyphery
