// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace Glyphery {

// The converter keeps the libraries that are slow to load (Qt Gui, libspectrum) in modules of
// its own, loaded only by a conversion that needs one. Each module has one entry, which returns
// its table of functions.

// The entry named `entry` of the module file `module`: the program's own when it was linked with
// the module (the tests), else the module's beside the program (the build), else below the
// program's parent folder (installed). nullptr when it is nowhere.
void *moduleEntry(const char *module, const char *entry);

// Where the installed program looks for the module, for telling the user it is missing.
QString installedModulePlace(const char *module);

// A module's table of functions, or the reason in Russian there is none.
template<typename Codec> struct LoadedModule
{
    const Codec *codec = nullptr;
    QString problem;
};

// `missing` is the reason, with %1 for the place the module should be.
template<typename Codec>
LoadedModule<Codec> loadModule(const char *module, const char *entry, const QString &missing)
{
    using Entry = const Codec *(*)();
    if (void *found = moduleEntry(module, entry))
        return {reinterpret_cast<Entry>(found)(), {}};
    return {nullptr, missing.arg(installedModulePlace(module))};
}

} // namespace Glyphery
