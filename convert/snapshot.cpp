// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/libspectrum_handles.h"
#include "convert/spectrum_codec.h"

#include <QList>

#include <array>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr int PageBytes = 16384;
constexpr int MemoryEnd = 65536;
constexpr int CharsVariable = 23606;
// CHARS points 256 bytes below the space, as if the font began at code 0.
constexpr int CharsBelowFont = 256;

libspectrum_id_t idOf(SnapshotKind kind)
{
    switch (kind) {
    case SnapshotKind::Sna:
        return LIBSPECTRUM_ID_SNAPSHOT_SNA;
    case SnapshotKind::Z80:
        return LIBSPECTRUM_ID_SNAPSHOT_Z80;
    case SnapshotKind::Szx:
        break;
    }
    return LIBSPECTRUM_ID_SNAPSHOT_SZX;
}

// How many bytes a packed .z80 block of runs (ED ED count byte) and single bytes unpacks to;
// -1 when a run is cut short by the block's end, which libspectrum would read past.
qsizetype unpackedSize(QByteArrayView block)
{
    qsizetype unpacked = 0;
    for (qsizetype at = 0; at < block.size();) {
        const bool run = block.size() - at >= 2 && block[at] == '\xed' && block[at + 1] == '\xed';
        if (run && block.size() - at < 4)
            return -1;
        unpacked += run ? static_cast<std::uint8_t>(block[at + 2]) : 1;
        at += run ? 4 : 1;
    }
    return unpacked;
}

const QString Z80Cut = u"снимок .z80 обрезан."_s;

// A file of version 1 is the 48 KB in one block, ended by 00 ED ED 00 when packed (bit 5 of
// byte 12, as libspectrum reads it); one stored as it is libspectrum checks itself.
QString z80Version1Reason(QByteArrayView data, bool packed)
{
    if (!packed)
        return {};
    const qsizetype end = data.indexOf(QByteArrayView("\0\xed\xed\0", 4));
    if (end < 0)
        return Z80Cut;
    return unpackedSize(data.first(end)) == 3 * PageBytes
        ? QString()
        : u"снимок .z80 распаковывается не в 48 КБ: файл повреждён."_s;
}

// libspectrum reads a .z80's header, and the three bytes before each page, without checking
// that the file holds them; it unpacks a block reading past a run cut short at its end, keeps a
// page of whatever length it unpacks to and loses a block of version 1 that unpacks to other
// than 48 KB. So the frame of the file is checked here first: the reason it is damaged, or
// nothing. Version 1 has a PC (at 6) other than 0.
QString z80FrameReason(QByteArrayView bytes)
{
    constexpr qsizetype Header = 30;
    constexpr qsizetype LongestHeader = Header + 2 + 55;
    if (bytes.size() < Header)
        return Z80Cut;
    if (word(bytes, 6) != 0)
        return z80Version1Reason(bytes.sliced(Header), bytes[12] & 0x20);
    if (bytes.size() < LongestHeader)
        return Z80Cut;
    for (qsizetype at = Header + 2 + word(bytes, Header); at < bytes.size();) {
        if (bytes.size() - at < 3)
            return Z80Cut;
        const int length = word(bytes, at);
        if (length == 0 && bytes[at + 2] == 0)
            return {}; // .slt data, which ends the file
        at += 3;
        if (length == 0xffff) { // a page stored as it is
            at += PageBytes;
            continue;
        }
        if (bytes.size() - at < length)
            return Z80Cut;
        if (unpackedSize(bytes.sliced(at, length)) != PageBytes)
            return u"страница снимка .z80 распаковывается не в 16 КБ: файл повреждён."_s;
        at += length;
    }
    return {};
}

const QString SzxCut = u"снимок .szx обрезан."_s;

// The RAM pages of an .szx, each a RAMP chunk: the reason the file is not whole, or holds a
// page twice (which libspectrum takes the last of, losing the other), or nothing.
QString szxPagesReason(QByteArrayView bytes)
{
    constexpr qsizetype Header = 8;
    constexpr qsizetype ChunkHeader = 8;
    QList<int> pages;
    for (qsizetype at = Header; at < bytes.size();) {
        if (bytes.size() - at < ChunkHeader)
            return SzxCut;
        const qint64 length = qint64(word(bytes, at + 4)) | qint64(word(bytes, at + 6)) << 16;
        if (bytes.size() - at - ChunkHeader < length)
            return SzxCut;
        if (bytes.sliced(at, 4) == "RAMP" && length >= 3) {
            const int page = static_cast<std::uint8_t>(bytes[at + ChunkHeader + 2]);
            if (pages.contains(page))
                return u"в снимке .szx страница памяти %1 записана дважды: которая из них "
                       u"верна, не понять."_s.arg(page);
            pages.append(page);
        }
        at += ChunkHeader + length;
    }
    return {};
}

// The 64 KB the snapshot's program sees, a page of 16 KB each: the ROM (which no snapshot here
// holds), then the RAM pages a 48K or 128K machine has paged in; nullptr where there is none.
struct Memory
{
    std::array<const libspectrum_byte *, 4> pages;
    QString error;
};

Memory memoryOf(libspectrum_snap *snap)
{
    const int capabilities = libspectrum_machine_capabilities(libspectrum_snap_machine(snap));
    const int otherPaging = LIBSPECTRUM_MACHINE_CAPABILITY_TIMEX_MEMORY
        | LIBSPECTRUM_MACHINE_CAPABILITY_SCORP_MEMORY | LIBSPECTRUM_MACHINE_CAPABILITY_SE_MEMORY
        | LIBSPECTRUM_MACHINE_CAPABILITY_PENT512_MEMORY
        | LIBSPECTRUM_MACHINE_CAPABILITY_PENT1024_MEMORY;
    if (capabilities & otherPaging)
        return {{},
                u"снимок машины, память которой переключается не так, как у Spectrum 48K и "
                u"128K; где в ней шрифт, не понять."_s};
    if (capabilities & LIBSPECTRUM_MACHINE_CAPABILITY_PLUS3_MEMORY
        && libspectrum_snap_out_plus3_memoryport(snap) & 1)
        return {{}, u"в снимке +2A/+3 вместо ПЗУ включено ОЗУ; где в нём шрифт, не понять."_s};
    // Page 5 at 16384, page 2 at 32768 and, at 49152, page 0 on a 48K, the page the 128K's
    // memory port names.
    const int top = capabilities & LIBSPECTRUM_MACHINE_CAPABILITY_128_MEMORY
        ? libspectrum_snap_out_128_memoryport(snap) & 7
        : 0;
    return {{nullptr, libspectrum_snap_pages(snap, 5), libspectrum_snap_pages(snap, 2),
             libspectrum_snap_pages(snap, top)},
            {}};
}

// The bytes at [address, address + length), which the caller keeps within the 64 KB.
FontRead bytesAt(const Memory &memory, int address, int length)
{
    QByteArray bytes(length, '\0');
    for (int i = 0; i < length; ++i) {
        const libspectrum_byte *page = memory.pages[toIndex((address + i) / PageBytes)];
        if (!page)
            return {{}, u"в снимке нет памяти по адресу %1."_s.arg(address + i), {}};
        bytes[i] = char(page[(address + i) % PageBytes]);
    }
    return {bytes, {}, {}};
}

FontRead setAt(const Memory &memory, int address)
{
    if (address < PageBytes)
        return {{},
                u"адрес %1 лежит в ПЗУ (0..16383), а в снимке только ОЗУ, с 16384."_s.arg(address),
                {}};
    if (address + SetBytes > MemoryEnd)
        return {{},
                u"набор с адреса %1 не помещается в память: его 768 байт кончились бы на %2, а "
                u"память кончается на 65535."_s.arg(address)
                    .arg(address + SetBytes - 1),
                {}};
    return bytesAt(memory, address, SetBytes);
}

// The font the program prints with, from the address CHARS gives, or the reason it is not in
// the snapshot.
FontRead fontThroughChars(const Memory &memory)
{
    const FontRead chars = bytesAt(memory, CharsVariable, 2);
    if (!chars.error.isEmpty())
        return chars;
    const int value = word(chars.font, 0);
    if (value + CharsBelowFont < PageBytes)
        return {
            {},
            u"CHARS (23606/23607) = %1: программа пишет шрифтом ПЗУ (с адреса %2), а ПЗУ в "
            u"снимке нет. Адрес шрифта в ОЗУ, если он там есть, укажите ключом --addr."_s.arg(value)
                .arg(value + CharsBelowFont),
            {}};
    return setAt(memory, value + CharsBelowFont);
}

} // namespace

FontRead Libspectrum::readSnapshot(QByteArrayView bytes, SnapshotKind kind,
                                   std::optional<int> address)
{
    const QString reason = kind == SnapshotKind::Z80 ? z80FrameReason(bytes)
        : kind == SnapshotKind::Szx                  ? szxPagesReason(bytes)
                                                     : QString();
    if (!reason.isEmpty())
        return {{}, reason, {}};
    if (const QString notReady = readyToRead(bytes); !notReady.isEmpty())
        return {{}, notReady, {}};
    const LibspectrumOwned<libspectrum_snap> snap(libspectrum_snap_alloc());
    const libspectrum_error error = libspectrum_snap_read(
        snap.get(), bytesOf(bytes), size_t(bytes.size()), idOf(kind), nullptr);
    if (error != LIBSPECTRUM_ERROR_NONE)
        return {{}, libspectrumReason(error), {}};
    const Memory memory = memoryOf(snap.get());
    if (!memory.error.isEmpty())
        return {{}, memory.error, {}};
    return address ? setAt(memory, *address) : fontThroughChars(memory);
}

} // namespace Glyphery
