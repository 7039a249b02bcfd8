// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/conversion.h"

#include "font/file_reasons.h"
#include "font/font_file.h"
#include "font/gph.h"
#include "font/safe_writer.h"
#include "font/specchr.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

#include <sys/stat.h>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

struct FormatInfo
{
    Format format;
    QStringView name;
    QList<QStringView> suffixes;
    bool reads;
    bool writes;
    QStringView oneSet; // for a format that holds one set, its name as the messages use it
};

const FormatInfo Formats[] = {
    // The first extension is the one the converter gives a file it names.
    {Format::SpecChr, u"specchr", {u"SpecCHR", u"ch8", u"bin"}, true, true, {}},
    {Format::Gph, u"gph", {u"gph"}, true, false, {}},
    {Format::Tap, u"tap", {u"tap"}, true, true, {}},
    {Format::Psf, u"psf", {u"psf", u"psfu"}, true, true, u"шрифт PSF"},
    {Format::Bdf, u"bdf", {u"bdf"}, true, true, u"шрифт BDF"},
    {Format::Png, u"png", {u"png"}, true, true, {}},
    // Not .z80: that is a Spectrum snapshot.
    {Format::Z80Assembler, u"z80asm", {u"asm", u"s", u"z80s"}, false, true, {}},
    {Format::CHeader, u"c", {u"h"}, false, true, {}},
    {Format::Fzx, u"fzx", {u"fzx"}, true, true, u"шрифт FZX"},
    {Format::X86Assembler, u"x86asm", {u"nasm"}, false, true, {}},
    {Format::M6502Assembler, u"6502asm", {u"a65"}, false, true, {}},
    {Format::M68kAssembler, u"68kasm", {u"68k"}, false, true, {}},
    {Format::Rust, u"rust", {u"rs"}, false, true, {}},
    {Format::C64, u"c64", {u"64c"}, true, true, u"шрифт C64"},
    {Format::Atari, u"atari", {u"fnt"}, true, true, u"шрифт Atari"},
    {Format::Cpc, u"cpc", {u"bas"}, true, true, u"программу CPC"},
    {Format::Raw, u"raw", {u"raw"}, true, false, {}},
    {Format::Tzx, u"tzx", {u"tzx"}, true, true, {}},
    {Format::Scr, u"scr", {u"scr"}, true, true, {}},
    {Format::Sna, u"sna", {u"sna"}, true, false, {}},
    {Format::Z80, u"z80", {u"z80"}, true, false, {}},
    {Format::Szx, u"szx", {u"szx"}, true, false, {}},
};

// Names that scripts used before a format had the name it has now.
const std::pair<QStringView, Format> FormerNames[] = {
    {u"asm", Format::Z80Assembler},
};

const FormatInfo &infoOf(Format format)
{
    return *std::find_if(std::begin(Formats), std::end(Formats),
                         [format](const FormatInfo &info) { return info.format == format; });
}

// Every format but SpecCHR and gph carries more than a font's bytes; none needs this much.
constexpr qsizetype LargestInput = 64 * 1024 * 1024;

FileRead readInput(const Request &request)
{
    switch (request.from) {
    case Format::SpecChr:
        return readWholeFile(request.input, MaxFontBytes, specChrTooLong());
    case Format::Gph:
        return readWholeFile(request.input, GphMaxBytes,
                             u"в файле gph заголовок и не больше 64 наборов, 393217 байт."_s);
    default:
        return readWholeFile(request.input, LargestInput,
                             u"шрифт в таком файле не бывает больше 64 МиБ."_s);
    }
}

FontRead readerAnswer(const Request &request, QByteArrayView bytes)
{
    switch (request.from) {
    case Format::SpecChr:
        return readSpecChr(bytes);
    case Format::Gph:
        return readGph(bytes);
    case Format::Tap:
        return readTap(bytes, request.block);
    case Format::Psf:
        return readPsf(bytes);
    case Format::Bdf:
        return readBdf(bytes);
    case Format::Fzx:
        return readFzx(bytes);
    case Format::Png:
        // From a sheet to a sheet, the colours given are those of the sheet written.
        return readPngSheet(bytes, request.to == Format::Png ? PngOptions {} : request.png);
    case Format::C64:
        return readC64(bytes);
    case Format::Atari:
        return readAtari(bytes);
    case Format::Cpc:
        return readCpcBasic(bytes);
    case Format::Raw:
        return readRawFont(bytes, request.first);
    case Format::Tzx:
        return readTap(bytes, request.block, TapeImage::Tzx);
    case Format::Scr:
        return readScreen(bytes, request.cells.value_or(QString()));
    case Format::Sna:
        return readSnapshot(bytes, SnapshotKind::Sna, request.snapshotAddress);
    case Format::Z80:
        return readSnapshot(bytes, SnapshotKind::Z80, request.snapshotAddress);
    case Format::Szx:
        return readSnapshot(bytes, SnapshotKind::Szx, request.snapshotAddress);
    case Format::Z80Assembler:
    case Format::CHeader:
    case Format::X86Assembler:
    case Format::M6502Assembler:
    case Format::M68kAssembler:
    case Format::Rust:
        break;
    }
    return {}; // the command line lets no unreadable format through
}

// Console fonts are shipped gzip-compressed, so a refused file that is gzip is told as such.
// Only a refused one: a raw font may begin with the same two bytes.
FontRead decode(const Request &request, QByteArrayView bytes)
{
    const FontRead read = readerAnswer(request, bytes);
    if (!read.error.isEmpty() && bytes.startsWith("\x1f\x8b"))
        return {
            {}, u"файл сжат gzip; распакуйте его (gzip -dc) и преобразуйте распакованный."_s, {}};
    return read;
}

Encoded encode(const Request &request, QByteArrayView font, int firstSet)
{
    const QString name = QFileInfo(QFile::decodeName(request.output)).completeBaseName();
    const auto assembler = [&](Cpu cpu) {
        return Encoded {writeAssembler(font, identifierFrom(name), firstSet, request.base, cpu),
                        {}};
    };
    switch (request.to) {
    case Format::SpecChr:
        return {font.toByteArray(), {}};
    case Format::Tap:
    case Format::Tzx: {
        TapOptions tap = request.tap;
        tap.name = name;
        tap.image = request.to == Format::Tzx ? TapeImage::Tzx : TapeImage::Tap;
        return writeTap(font, tap);
    }
    case Format::Psf:
        return {writePsf(font), {}};
    case Format::Bdf:
        return {writeBdf(font, name), {}};
    case Format::Fzx:
        return {writeFzx(font, request.proportional), {}};
    case Format::Png:
        if (request.thumbnail)
            return writePngThumbnail(font, *request.thumbnail);
        return request.text ? writePngText(font, *request.text, request.png)
                            : writePngSheet(font, request.png);
    case Format::Z80Assembler:
        return assembler(Cpu::Z80);
    case Format::CHeader:
        return {writeCHeader(font, identifierFrom(name), firstSet), {}};
    case Format::X86Assembler:
        return assembler(Cpu::X86);
    case Format::M6502Assembler:
        return assembler(Cpu::M6502);
    case Format::M68kAssembler:
        return assembler(Cpu::M68k);
    case Format::Rust:
        return {writeRust(font, identifierFrom(name), firstSet), {}};
    case Format::C64:
        return {writeC64(font), {}};
    case Format::Atari:
        return {writeAtari(font), {}};
    case Format::Cpc:
        return {writeCpcBasic(font), {}};
    case Format::Scr:
        return request.text ? writeScreenText(font, *request.text, request.screen)
                            : writeScreen(font, request.screen);
    case Format::Gph:
    case Format::Raw:
    case Format::Sna:
    case Format::Z80:
    case Format::Szx:
        break;
    }
    return {}; // the command line lets no unwritable format through
}

// The one place the converter writes a file. Without --force a file that is there, or comes
// there while the output is written, is never replaced.
Outcome writeOutput(const Request &request, const QByteArray &bytes)
{
    const SaveResult result = writeWholeFile(request.output, bytes, {.replace = request.force});
    if (result.error.isEmpty())
        return {};
    return {result.written ? WrittenInDoubt : InputError, result.error};
}

bool exists(const QByteArray &path)
{
    struct stat status = {};
    return ::lstat(path.constData(), &status) == 0;
}

Outcome failure(int status, const QString &message)
{
    return {status, message};
}

} // namespace

std::optional<Format> formatNamed(QStringView name)
{
    for (const FormatInfo &info : Formats) {
        if (name.compare(info.name, Qt::CaseInsensitive) == 0)
            return info.format;
    }
    for (const auto &[former, format] : FormerNames) {
        if (name.compare(former, Qt::CaseInsensitive) == 0)
            return format;
    }
    return std::nullopt;
}

// "font.psf.gz" is a PSF font, compressed; decode() says so once it sees the bytes.
std::optional<Format> formatOfPath(const QByteArray &path)
{
    QFileInfo file(QFile::decodeName(path));
    if (file.suffix().compare(u"gz"_s, Qt::CaseInsensitive) == 0)
        file.setFile(file.completeBaseName());
    for (const FormatInfo &info : Formats) {
        for (const QStringView suffix : info.suffixes) {
            if (file.suffix().compare(suffix, Qt::CaseInsensitive) == 0)
                return info.format;
        }
    }
    return std::nullopt;
}

QString formatName(Format format)
{
    return infoOf(format).name.toString();
}

QString defaultSuffix(Format format)
{
    return infoOf(format).suffixes.first().toString();
}

QString formatNames(const QList<Format> &formats, QStringView conjunction)
{
    QStringList names;
    for (const FormatInfo &info : Formats) {
        if (formats.isEmpty() || formats.contains(info.format))
            names.append(info.name.toString());
    }
    const QString last = names.takeLast();
    return names.isEmpty() ? last : u"%1 %2 %3"_s.arg(names.join(u", "_s), conjunction, last);
}

bool canRead(Format format)
{
    return infoOf(format).reads;
}

bool canWrite(Format format)
{
    return infoOf(format).writes;
}

Outcome convertFont(const Request &request)
{
    const QString output = quotedPath(request.output);
    if (!request.force && exists(request.output))
        return failure(InputError,
                       u"Файл %1 уже есть; чтобы заменить его, добавьте --force."_s.arg(output));

    const FileRead file = readInput(request);
    if (!file.error.isEmpty())
        return failure(InputError, file.error);
    const QString input = quotedPath(request.input);
    // The editor's own refusal, in its words.
    if (const GphProblem problem
        = request.from == Format::Gph ? checkGph(file.bytes) : GphProblem::None;
        problem != GphProblem::None)
        return failure(InputError, gphRefusal(problem, file.bytes, input));
    const FontRead read = decode(request, file.bytes);
    if (!read.error.isEmpty())
        return failure(InputError,
                       u"Не удалось прочитать шрифт из файла %1: %2"_s.arg(input, read.error));

    const int sets = setCountOf(read.font);
    // Paths go into messages in one arg() call: a "%1" in a file name must stay as it is.
    if (request.set >= sets)
        return failure(UsageError,
                       u"В шрифте из файла %1 %2, набора %3 в нём нет."_s.arg(
                           input, counted(sets, u"набор", u"набора", u"наборов"),
                           QString::number(request.set + 1)));
    const QByteArrayView font = request.set < 0
        ? QByteArrayView(read.font)
        : QByteArrayView(read.font).sliced(request.set * SetBytes, SetBytes);
    const QString oneSet = !request.text ? infoOf(request.to).oneSet.toString()
        : request.to == Format::Scr      ? u"экран с текстом"_s
                                         : u"картинку текста"_s;
    if (!oneSet.isEmpty() && font.size() > SetBytes)
        return failure(
            UsageError,
            u"В %1 помещается один набор, а в шрифте из файла %2 их %3; выберите "
            u"набор ключом --set."_s.arg(oneSet, input, QString::number(setCountOf(font))));

    const Encoded encoded = encode(request, font, std::max(request.set, 0));
    if (!encoded.error.isEmpty())
        return failure(encoded.encoderFailed ? InputError : UsageError,
                       u"Нельзя записать %1: %2"_s.arg(output, encoded.error));
    if (const Outcome written = writeOutput(request, encoded.bytes); written.status != 0)
        return written;
    return {0, read.warning.isEmpty() ? QString() : u"Файл %1: %2"_s.arg(input, read.warning)};
}

} // namespace Glyphery
