// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/module_loader.h"

#include "font/file_reasons.h"

#include <QByteArray>
#include <QList>

#include <climits>

#include <dlfcn.h>
#include <unistd.h>

namespace Glyphery {

namespace {

QByteArray programFolder()
{
    char path[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", path, sizeof path);
    const QByteArray program(path, length > 0 ? length : 0);
    return program.left(program.lastIndexOf('/'));
}

QList<QByteArray> modulePlaces(const char *module)
{
    const QByteArray folder = programFolder();
    return {folder + '/' + module,
            folder + "/../" GLYPHERY_LIBRARY_FOLDER "/glyphery/modules/" + module};
}

} // namespace

void *moduleEntry(const char *module, const char *entry)
{
    if (void *linked = ::dlsym(RTLD_DEFAULT, entry))
        return linked;
    for (const QByteArray &place : modulePlaces(module)) {
        // Never closed: its functions may be called until the program ends.
        void *loaded = ::dlopen(place.constData(), RTLD_NOW | RTLD_LOCAL);
        if (void *found = loaded ? ::dlsym(loaded, entry) : nullptr)
            return found;
    }
    return nullptr;
}

QString installedModulePlace(const char *module)
{
    return quotedPath(modulePlaces(module).constLast());
}

} // namespace Glyphery
