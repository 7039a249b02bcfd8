// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

namespace Glyphery {

// A descriptor of an open file or folder, closed when it goes out of scope.
struct FileDescriptor
{
    int fd = -1;

    FileDescriptor() = default;
    explicit FileDescriptor(int opened)
        : fd(opened)
    {
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;
    ~FileDescriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    bool isOpen() const { return fd >= 0; }
};

} // namespace Glyphery
