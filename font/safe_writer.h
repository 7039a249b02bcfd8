// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>

namespace Glyphery {

// The steps of a save that can fail, in the order they run.
enum class SaveStep {
    Create, // the new file beside the target, or the target opened to be written in place
    Unnamed, // the new file unnamed, where the file system offers it; else a hidden name
    Rescue, // in place: a whole copy of the new content beside the file, first
    Reserve, // in place: the disk space the new length needs, taken or seen to be free
    Write,
    Truncate, // in place: what a longer old content leaves beyond the new end cut off
    KeepIdentity, // the owner, group, mode, ACLs and extended attributes kept
    Sync, // the file's bytes on the disk
    Replace, // the new file put in the target's place
    SyncFolder, // the folder's new entry on the disk
};

// For tests: the error number a step is to fail with, or 0 to let it run.
using SaveFault = std::function<int(SaveStep)>;

struct SaveOptions
{
    // False: a file already at the path is never replaced, not even one that appears while
    // the save runs.
    bool replace = true;
    // True: only a regular file is written over; a device is refused like any special file.
    bool regularOnly = false;
    SaveFault fault = {};
};

struct SaveResult
{
    QString error; // for the user, in Russian, naming the file and the reason; empty: done
    bool written = false; // the file at the path was changed, though perhaps not as asked
};

// Makes bytes the whole content of the file at path (the system's own bytes of the name) and
// reports success only once they are on the disk.
//
// A regular file is replaced atomically: the bytes go to a new file beside it, which gets the
// old one's owner, group, mode, ACLs and extended attributes and is then renamed over it, so a
// failure or a crash leaves either the old or the new content. Where the identity cannot be
// kept so (the file has other hard links, or its owner cannot be given away), the file is
// written in place: only when a whole copy of the new content lies beside it first, the disk
// space the new length needs is there, and the write takes nothing from its identity that the
// save cannot put back. Symbolic links are followed, except one that another user planted in a
// shared sticky folder; a character device is written in place; any other kind of file is
// refused.
SaveResult writeWholeFile(const QByteArray &path, const QByteArray &bytes,
                          const SaveOptions &options = {});

} // namespace Glyphery
