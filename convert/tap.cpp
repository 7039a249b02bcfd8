// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/libspectrum_handles.h"
#include "convert/spectrum_codec.h"

#include <QList>

#include <algorithm>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

constexpr std::uint8_t HeaderFlag = 0x00;
constexpr std::uint8_t DataFlag = 0xff;
constexpr int HeaderBytes = 17;
constexpr std::uint8_t ProgramType = 0;
constexpr std::uint8_t CodeType = 3;
constexpr int TapeNameLength = 10;
constexpr int LowestRam = 16384;
constexpr int MemoryEnd = 65536;
constexpr int MostLoaderSets = (MemoryEnd - LowestLoaderAddress) / SetBytes;
// The pause the Spectrum's own SAVE leaves after each block, and the one TAP files stand for.
constexpr libspectrum_dword PauseAfterBlock = 1000;

libspectrum_id_t idOf(TapeImage image)
{
    return image == TapeImage::Tzx ? LIBSPECTRUM_ID_TAPE_TZX : LIBSPECTRUM_ID_TAPE_TAP;
}

// A block as tzxlist lists it. A block the ROM's loader could read (standard speed, turbo or
// pure data) carries bytes: the flag, the data, then the checksum; the others (pauses, tones,
// comments, groups) carry none.
struct TapeBlock
{
    bool carriesBytes;
    std::uint8_t flag;
    QByteArrayView data; // without the flag and the checksum
};

// The blocks point into the tape libspectrum read, which lives as long as they do.
struct Tape
{
    LibspectrumOwned<libspectrum_tape> image;
    QList<TapeBlock> blocks;
    QString error;
};

bool carriesBytes(libspectrum_tape_block *block)
{
    switch (libspectrum_tape_block_type(block)) {
    case LIBSPECTRUM_TAPE_BLOCK_ROM:
    case LIBSPECTRUM_TAPE_BLOCK_TURBO:
    case LIBSPECTRUM_TAPE_BLOCK_PURE_DATA:
        return true;
    default:
        return false;
    }
}

// The XOR of the bytes. SAVE ends a block with that of the flag and the data, so that of a
// whole block is 0 unless it was damaged.
libspectrum_byte checksum(QByteArrayView bytes)
{
    libspectrum_byte sum = 0;
    for (const char byte : bytes)
        sum ^= static_cast<libspectrum_byte>(byte);
    return sum;
}

Tape failedTape(const QString &reason)
{
    return {nullptr, {}, reason};
}

Tape splitTape(QByteArrayView bytes, TapeImage image)
{
    if (const QString reason = readyToRead(bytes); !reason.isEmpty())
        return failedTape(reason);
    Tape tape {LibspectrumOwned<libspectrum_tape>(libspectrum_tape_alloc()), {}, {}};
    const libspectrum_error error = libspectrum_tape_read(
        tape.image.get(), bytesOf(bytes), size_t(bytes.size()), idOf(image), nullptr);
    if (error != LIBSPECTRUM_ERROR_NONE)
        return failedTape(libspectrumReason(error));
    libspectrum_tape_iterator at = nullptr;
    for (libspectrum_tape_block *block = libspectrum_tape_iterator_init(&at, tape.image.get());
         block; block = libspectrum_tape_iterator_next(&at)) {
        const auto number = tape.blocks.size();
        if (!carriesBytes(block)) {
            tape.blocks.append({false, 0, {}});
            continue;
        }
        const QByteArrayView whole(libspectrum_tape_block_data(block),
                                   qsizetype(libspectrum_tape_block_data_length(block)));
        if (whole.size() < 2)
            return failedTape(u"в блоке %1 нет даже флага и контрольной суммы."_s.arg(number));
        if (checksum(whole) != 0)
            return failedTape(u"у блока %1 неверная контрольная сумма."_s.arg(number));
        tape.blocks.append(
            {true, static_cast<std::uint8_t>(whole[0]), whole.sliced(1, whole.size() - 2)});
    }
    return tape;
}

bool isHeader(const TapeBlock &block)
{
    return block.carriesBytes && block.flag == HeaderFlag && block.data.size() == HeaderBytes;
}

bool isCodeHeader(const TapeBlock &block)
{
    return isHeader(block) && block.data[0] == char(CodeType);
}

// The data block a CODE header announces, or an error when the tape does not hold it as the
// header says.
FontRead codeData(const QList<TapeBlock> &blocks, qsizetype header)
{
    if (header + 1 >= blocks.size() || !blocks[header + 1].carriesBytes
        || blocks[header + 1].flag != DataFlag)
        return {{}, u"за заголовком CODE в блоке %1 нет блока данных."_s.arg(header), {}};
    const QByteArrayView data = blocks[header + 1].data;
    const int announced = word(blocks[header].data, 11);
    if (data.size() != announced)
        return {{},
                u"в заголовке блока %1 длина %2, а в блоке данных %3."_s.arg(header).arg(
                    byteCount(announced), byteCount(data.size())),
                {}};
    return {data.toByteArray(), {}, {}};
}

FontRead wholeSets(const QByteArray &font, const QString &where)
{
    if (font.isEmpty() || font.size() % SetBytes != 0)
        return {{},
                u"%1 — %2, а шрифт — это целое число наборов по 768 байт."_s.arg(
                    where, byteCount(font.size())),
                {}};
    if (font.size() > MaxFontBytes)
        return {{}, u"%1 больше 64 наборов (49152 байт)."_s.arg(where), {}};
    return {font, {}, {}};
}

FontRead chosenBlock(const QList<TapeBlock> &blocks, int number)
{
    if (blocks.isEmpty())
        return {{}, u"блока %1 нет: лента пуста."_s.arg(number), {}};
    if (number >= blocks.size())
        return {{},
                u"блока %1 нет: на ленте %2, с 0 по %3."_s.arg(number)
                    .arg(counted(blocks.size(), u"блок", u"блока", u"блоков"))
                    .arg(blocks.size() - 1),
                {}};
    const TapeBlock &block = blocks[number];
    if (!block.carriesBytes)
        return {{}, u"в блоке %1 нет данных: это пауза, сигнал или пометка."_s.arg(number), {}};
    if (isHeader(block) && !isCodeHeader(block))
        return {{}, u"блок %1 — заголовок не CODE, а другого файла."_s.arg(number), {}};
    FontRead read = isCodeHeader(block) ? codeData(blocks, number)
                                        : FontRead {block.data.toByteArray(), {}, {}};
    if (!read.error.isEmpty())
        return read;
    return wholeSets(read.font, u"в блоке %1"_s.arg(number));
}

FontRead allFontBlocks(const QList<TapeBlock> &blocks)
{
    QByteArray font;
    for (qsizetype number = 0; number < blocks.size(); ++number) {
        if (!isCodeHeader(blocks[number]))
            continue;
        const FontRead code = codeData(blocks, number);
        if (!code.error.isEmpty())
            return code;
        if (!code.font.isEmpty() && code.font.size() % SetBytes == 0)
            font += code.font;
        if (font.size() > MaxFontBytes)
            return {{},
                    u"в блоках CODE на ленте больше 64 наборов; выберите один ключом --block."_s,
                    {}};
    }
    if (font.isEmpty())
        return {{}, u"на ленте нет блока CODE длиной в целое число наборов (768·n байт)."_s, {}};
    return {font, {}, {}};
}

// A standard-speed block as the ROM's SAVE writes it: the flag, the data and their checksum.
// The tape frees the bytes with libspectrum's own allocator, so they are made with it.
void appendBlock(libspectrum_tape *tape, std::uint8_t flag, QByteArrayView data)
{
    const auto length = size_t(data.size()) + 2;
    auto *bytes = static_cast<libspectrum_byte *>(libspectrum_malloc(length));
    bytes[0] = flag;
    std::copy(data.begin(), data.end(), bytes + 1);
    bytes[length - 1] = checksum(QByteArrayView(bytes, qsizetype(length) - 1));
    libspectrum_tape_block *block = libspectrum_tape_block_alloc(LIBSPECTRUM_TAPE_BLOCK_ROM);
    libspectrum_tape_block_set_data(block, bytes);
    libspectrum_tape_block_set_data_length(block, length);
    libspectrum_tape_block_set_pause(block, PauseAfterBlock);
    libspectrum_tape_append_block(tape, block);
}

// Name bytes the Spectrum can show: printable ASCII, anything else as "?".
QByteArray tapeName(const QString &name)
{
    QByteArray bytes(TapeNameLength, ' ');
    for (qsizetype i = 0; i < std::min<qsizetype>(name.size(), TapeNameLength); ++i) {
        const char16_t c = name[i].unicode();
        bytes[i] = c >= 32 && c < 127 ? char(c) : '?';
    }
    return bytes;
}

void appendFile(libspectrum_tape *tape, std::uint8_t type, const QByteArray &name,
                QByteArrayView data, int parameter1, int parameter2)
{
    QByteArray header(1, char(type));
    header += name;
    appendWord(header, int(data.size()));
    appendWord(header, parameter1);
    appendWord(header, parameter2);
    appendBlock(tape, HeaderFlag, header);
    appendBlock(tape, DataFlag, data);
}

QString placeError(QByteArrayView font, const TapOptions &options)
{
    if (options.address < LowestRam)
        return u"адрес %1 лежит в ПЗУ (0..16383), а шрифт загружают в ОЗУ, с 16384 и выше."_s.arg(
            options.address);
    const QString room = u"с загрузчиком шрифт лежит не ниже %1, чтобы программе на Бейсике "
                         u"оставался 1 КБ"_s.arg(LowestLoaderAddress);
    if (options.loader && font.size() > MemoryEnd - LowestLoaderAddress)
        return u"%1, а шрифт длиной %2 там не помещается: с загрузчиком — не больше %3. "
               u"Выберите набор ключом --set или запишите ленту без --loader."_s.arg(
                   room, byteCount(font.size()),
                   counted(MostLoaderSets, u"набора", u"наборов", u"наборов"));
    if (options.loader && options.address < LowestLoaderAddress)
        return u"%1; возьмите адрес от %2 до %3."_s.arg(room)
            .arg(LowestLoaderAddress)
            .arg(MemoryEnd - font.size());
    if (options.address + font.size() > MemoryEnd)
        return u"шрифт длиной %1 не помещается в память с адреса %2: самый высокий адрес "
               u"для него — %3."_s.arg(byteCount(font.size()))
                   .arg(options.address)
                   .arg(MemoryEnd - font.size());
    return {};
}

} // namespace

FontRead Libspectrum::readTape(QByteArrayView bytes, int block, TapeImage image)
{
    const Tape tape = splitTape(bytes, image);
    if (!tape.error.isEmpty())
        return {{}, tape.error, {}};
    return block < 0 ? allFontBlocks(tape.blocks) : chosenBlock(tape.blocks, block);
}

Encoded Libspectrum::writeTape(QByteArrayView font, const TapOptions &options,
                               QByteArray (*loader)(int address))
{
    if (const QString error = placeError(font, options); !error.isEmpty())
        return {{}, error};
    if (const QString reason = startLibspectrum(); !reason.isEmpty())
        return {{}, reason, true};
    const LibspectrumOwned<libspectrum_tape> tape(libspectrum_tape_alloc());
    const QByteArray name = tapeName(options.name);
    if (options.loader) {
        const QByteArray program = loader(options.address);
        appendFile(tape.get(), ProgramType, name, program, LoaderLine, int(program.size()));
    }
    // 32768 in the second parameter marks a CODE file, as the Spectrum's own SAVE writes it.
    appendFile(tape.get(), CodeType, name, font, options.address, 32768);
    libspectrum_byte *written = nullptr;
    size_t length = 0;
    const libspectrum_error error
        = libspectrum_tape_write(&written, &length, tape.get(), idOf(options.image));
    const LibspectrumOwned<libspectrum_byte> owned(written);
    if (error != LIBSPECTRUM_ERROR_NONE)
        return {{},
                u"библиотека libspectrum не смогла записать ленту (ошибка %1)."_s.arg(int(error)),
                true};
    return {QByteArray(reinterpret_cast<const char *>(written), qsizetype(length)), {}};
}

} // namespace Glyphery
