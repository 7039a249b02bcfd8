// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <sys/types.h>

namespace Glyphery {

// The files a save makes beside the file it saves, named so that no user would choose the
// name and so that the name itself says who made the file and how long it is:
//   .glyphery-new-PID-SIZE-XXXXXX          the new content, renamed over the file once whole;
//   .glyphery-copy-INODE-PID-SIZE-XXXXXX   a whole copy of the new content, kept while the
//                                          file with that inode number is written in place.
// PID is the saving process, SIZE the content's length in bytes, XXXXXX random letters.

QByteArray newContentName(qsizetype size);
QByteArray rescueCopyName(ino_t inode, qsizetype size);

// A later save removes such a file only when it can prove it is one: the name has the form
// above, the file is a regular file with one link, no longer than its name gives (a save
// killed while writing it leaves less), owned by the user who saves, and the process that made
// it is gone. A killed save's new content is
// removed by the next save into its folder; a rescue copy only by the next save, or the end
// of this one, that writes the file it was made for, since until then it may be the only
// whole copy of that file's new content.
void removeDeadNewContent(int folder);
void removeRescueCopies(int folder, ino_t inode);

} // namespace Glyphery
