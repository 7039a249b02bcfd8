// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <utility>

#include <sys/types.h>

namespace Glyphery {

// What a file is besides its bytes: who owns it, its mode with the set-ID bits, and its
// extended attributes, ACLs and file capabilities among them.
struct FileIdentity
{
    uid_t owner = 0;
    gid_t group = 0;
    mode_t mode = 0; // permissions, set-ID and sticky bits
    QList<std::pair<QByteArray, QByteArray>> attributes; // names and values, sorted by name
    bool complete = true; // false when an attribute is listed but may not be read

    bool operator==(const FileIdentity &) const = default;
};

// The identity of a regular file, by its path (not following a link) or an open descriptor.
// False leaves errno set.
bool readIdentity(const QByteArray &path, FileIdentity &identity);
bool readIdentity(int fd, FileIdentity &identity);

// Makes a new file's identity the old one's and checks that the system kept all of it. A
// change of owner clears the set-ID bits and capabilities, so the owner goes first and the
// mode last. False (errno set) when any of it could not be given or was not kept.
bool giveIdentity(int fd, const FileIdentity &identity);

// What writing into the file would take from it that this process could not put back
// afterwards, in words for a message: the kernel clears the set-ID bits when anyone but root
// writes, and the file capabilities whoever writes.
QStringList lostByWriting(const FileIdentity &identity);

// Puts back what writing into the file took from it. False (errno set) when the file's
// identity is not the old one afterwards.
bool restoreAfterWriting(int fd, const FileIdentity &identity);

} // namespace Glyphery
