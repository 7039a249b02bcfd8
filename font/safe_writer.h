// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace Glyphery {

// The steps of a save that can fail, in the order they run.
enum class SaveStep {
    Create, // the new file beside the target, or the target opened to be written in place
    Unnamed, // the new file unnamed, where the file system offers it; else a short hidden name
    KeepIdentity, // the owner, group, mode, ACLs and extended attributes of the file replaced
    Reserve, // in place: the whole new length taken on the disk before any byte changes
    Write,
    Truncate, // in place: what a longer old content leaves beyond the new end cut off
    Sync, // the file's bytes on the disk
    Replace, // the new file put in the target's place
    SyncFolder, // the folder's new entry on the disk
};

// For tests: the error number a step is to fail with, or 0 to let it run.
using SaveFault = std::function<int(SaveStep)>;

// Makes bytes the whole content of the file at path and reports success only once they are on
// the disk. A failure comes back as a message for the user, in Russian, naming the file and
// the reason; an empty text means success.
//
// A regular file is replaced atomically: a new file is written beside it and renamed over it,
// so a failure or a crash leaves either the old or the new content. The new file takes the old
// one's owner, group, mode, ACLs and extended attributes. Where it cannot (the file has other
// hard links, or its owner cannot be given away), the file is written in place instead, after
// its whole new length has been reserved on the disk, so that a full disk cannot cut it short.
// Symbolic links are followed; a character device is written in place; any other kind of file
// is refused.
QString writeWholeFile(const QString &path, const QByteArray &bytes, const SaveFault &fault = {});

} // namespace Glyphery
