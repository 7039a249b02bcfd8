// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/formats.h"

#include <QString>

#include <optional>

namespace Glyphery {

enum class Format {
    SpecChr,
    Gph,
    Tap,
    Psf,
    Bdf,
    Png,
    Z80Assembler,
    CHeader,
    Fzx,
    X86Assembler,
    M6502Assembler,
    M68kAssembler,
    Rust,
    C64,
    Atari,
    Cpc,
    Raw,
    // Tapes, screens and snapshots of the Spectrum
    Tzx,
    Scr,
    Sna,
    Z80,
    Szx,
};

// The format a --from or --to value names, or a file name's extension implies.
std::optional<Format> formatNamed(QStringView name);
std::optional<Format> formatOfPath(const QByteArray &path);
QString formatName(Format format);
// The extension a file of the format gets when the converter names it.
QString defaultSuffix(Format format);
// The formats' names for a message, the last joined by the conjunction: "png или scr"; every
// format's when none are named: "specchr, gph, … и szx".
QString formatNames(const QList<Format> &formats = {}, QStringView conjunction = u"и");
bool canRead(Format format);
bool canWrite(Format format);

// Everything the command line asks for, checked as far as it can be without the files.
struct Request
{
    // The files as the command line names them: the system's own bytes, used as they are.
    QByteArray input;
    QByteArray output;
    Format from = Format::SpecChr;
    Format to = Format::SpecChr;
    int set = -1; // the index of the one set to convert; -1 for every set
    bool force = false;
    int block = -1;
    TapOptions tap;
    NumberBase base = NumberBase::Hex;
    std::optional<QString> text;
    PngOptions png;
    bool proportional = false;
    std::optional<int> thumbnail; // its size: the first set as a picture fitting it
    std::optional<int> first; // the code of a raw font's first character
    ScreenOptions screen;
    std::optional<QString> cells; // for a screen read: "sheet" or the text printed on it
    std::optional<int> snapshotAddress; // --addr on reading a snapshot
};

// The exit status with its message: 0 done (the warning, if any, tells what the input
// lacked), 1 a file could not be read, understood or written and nothing was written, 2 the
// command line asked for what this font cannot give, 3 the output was written but not as it
// should be (perhaps not whole, or not confirmed on the disk).
struct Outcome
{
    int status = 0;
    QString message;
};

inline constexpr int InputError = 1;
inline constexpr int UsageError = 2;
inline constexpr int WrittenInDoubt = 3;

// The largest thumbnail a file manager may ask for, in points a side.
inline constexpr int MaxThumbnailSize = 4096;

Outcome convertFont(const Request &request);

} // namespace Glyphery
