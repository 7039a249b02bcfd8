// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/command_line.h"

#include "font/chars_address.h"
#include "font/file_reasons.h"

#include <QFile>
#include <QMap>

#include <limits>

using namespace Qt::Literals::StringLiterals;

namespace Glyphery {

namespace {

// Every option, with the formats it belongs to: an option given for another format is a
// mistake worth telling, not something to ignore. An option that names formats to read and
// to write belongs to either; one that names none belongs to every conversion.
struct Option
{
    QStringView name;
    bool takesValue;
    QList<Format> from;
    QList<Format> to;
};

const Option Options[] = {
    {u"--set", true, {}, {}},
    {u"--all", false, {}, {}},
    {u"--from", true, {}, {}},
    {u"--to", true, {}, {}},
    {u"--force", false, {}, {}},
    {u"--help", false, {}, {}},
    {u"-h", false, {}, {}},
    {u"--version", false, {}, {}},
    {u"--block", true, {Format::Tap, Format::Tzx}, {}},
    {u"--addr", true, {Format::Sna, Format::Z80, Format::Szx}, {Format::Tap, Format::Tzx}},
    {u"--loader", false, {}, {Format::Tap, Format::Tzx}},
    {u"--base",
     true,
     {},
     {Format::Z80Assembler, Format::X86Assembler, Format::M6502Assembler, Format::M68kAssembler}},
    {u"--text", true, {}, {Format::Png, Format::Scr}},
    {u"--scale", true, {}, {Format::Png}},
    {u"--ink", true, {Format::Png}, {Format::Png, Format::Scr}},
    {u"--paper", true, {Format::Png}, {Format::Png, Format::Scr}},
    {u"--cells", true, {Format::Scr}, {}},
    {u"--proportional", false, {}, {Format::Fzx}},
    {u"--first", true, {Format::Raw}, {}},
    {u"--out-dir", true, {}, {}},
    {u"--thumbnail", true, {}, {}},
};

const Option *optionNamed(QStringView name)
{
    for (const Option &option : Options) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

// The options as given, the last of a repeated one winning, and the file names.
struct Arguments
{
    QMap<QString, QString> options;
    QList<QByteArray> files;
    QString error;
};

// File names stay the bytes they are; options and their values are text. After "--" every
// argument is a file, so a file whose name begins with "-" can be named.
Arguments splitArguments(const QList<QByteArray> &arguments)
{
    Arguments split;
    bool options = true;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        if (options && arguments[i] == "--") {
            options = false;
            continue;
        }
        if (!options || !arguments[i].startsWith('-') || arguments[i] == "-") {
            split.files.append(arguments[i]);
            continue;
        }
        QString name = QString::fromLocal8Bit(arguments[i]);
        std::optional<QString> value;
        const qsizetype equals = name.indexOf(u'=');
        if (name.startsWith(u"--") && equals > 0) {
            value = name.mid(equals + 1);
            name.truncate(equals);
        }
        const Option *option = optionNamed(name);
        if (!option)
            return {{}, {}, u"неизвестный ключ «%1»."_s.arg(name)};
        if (!option->takesValue && value)
            return {{}, {}, u"ключ %1 пишется без значения."_s.arg(name)};
        if (option->takesValue && !value) {
            if (++i >= arguments.size())
                return {{}, {}, u"после %1 нужно значение."_s.arg(name)};
            value = QString::fromLocal8Bit(arguments[i]);
        }
        split.options.insert(name, value.value_or(QString()));
    }
    return split;
}

std::optional<int> integerIn(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= lowest && value <= highest ? std::optional<int>(value) : std::nullopt;
}

QString unknownFormat(const QString &name)
{
    return u"формат «%1» неизвестен; известны %2."_s.arg(name, formatNames());
}

// The format a --from or --to value names, or else the one the file name implies.
std::optional<Format> formatFor(const Arguments &given, const QString &option,
                                const QByteArray &path, QString &error)
{
    if (given.options.contains(option)) {
        const std::optional<Format> named = formatNamed(given.options[option]);
        if (!named)
            error = unknownFormat(given.options[option]);
        return named;
    }
    const std::optional<Format> implied = formatOfPath(path);
    if (!implied)
        error = u"по имени %1 не понять формат; укажите его ключом %2."_s.arg(quotedPath(path),
                                                                              option);
    return implied;
}

QString checkFormats(Request &request, const Arguments &given)
{
    QString error;
    const std::optional<Format> from = formatFor(given, u"--from"_s, request.input, error);
    if (!from)
        return error;
    // A thumbnail is a PNG whatever a file manager names it.
    const std::optional<Format> to = given.options.contains(u"--thumbnail"_s)
        ? Format::Png
        : formatFor(given, u"--to"_s, request.output, error);
    if (!to)
        return error;
    if (!canRead(*from))
        return u"формат %1 можно только записать, а не прочитать."_s.arg(formatName(*from));
    // Z80 assembler is often named .z80 by habit; that is a snapshot, which is only read.
    if (*to == Format::Z80)
        return u"файл .z80 — снимок памяти Spectrum, их только читают; текст ассемблера назовите "
               u".asm, .s или .z80s."_s;
    if (!canWrite(*to))
        return u"формат %1 можно только прочитать, а не записать."_s.arg(formatName(*to));
    request.from = *from;
    request.to = *to;
    for (const Option &option : Options) {
        if (!given.options.contains(option.name.toString())
            || (option.from.isEmpty() && option.to.isEmpty()) || option.from.contains(*from)
            || option.to.contains(*to))
            continue;
        QStringList uses;
        if (!option.from.isEmpty())
            uses.append(u"чтения из "_s + formatNames(option.from, u"или"));
        if (!option.to.isEmpty())
            uses.append(u"записи в "_s + formatNames(option.to, u"или"));
        return u"ключ %1 — только для %2."_s.arg(option.name, uses.join(u" или "_s));
    }
    return {};
}

// Writing a screen, a Spectrum colour 0..7; otherwise a colour of a PNG sheet, which only the
// picture module can name.
QString readColour(Request &request, bool ink, const QString &value)
{
    if (request.to == Format::Scr) {
        const std::optional<int> colour = integerIn(value, 0, 7);
        if (!colour)
            return u"цвет «%1» экрана Spectrum не понят: нужно число от 0 до 7 (0 чёрный, 1 синий, "
                   u"2 красный, 3 пурпурный, 4 зелёный, 5 голубой, 6 жёлтый, 7 белый)."_s.arg(
                       value);
        (ink ? request.screen.ink : request.screen.paper) = *colour;
        return {};
    }
    if (const QString problem = pngCodecProblem(); !problem.isEmpty())
        return problem;
    const std::optional<Colour> colour = colourNamed(value);
    if (!colour)
        return u"цвет «%1» не понят: нужно имя (black, white, …) или #RRGGBB."_s.arg(value);
    (ink ? request.png.ink : request.png.paper) = *colour;
    return {};
}

// Ink as paper would draw nothing. Written, a sheet takes black and white for the colours not
// given and a screen 0 and 7; read, a sheet its picture's.
QString sameColours(const Request &request)
{
    const QString same = u"у чернил и бумаги один цвет (не названные, чернила %1, а бумага %2)."_s;
    if (request.to == Format::Scr)
        return request.screen.ink == request.screen.paper ? same.arg(u"0", u"7") : QString();
    const PngOptions &png = request.png;
    return (request.to == Format::Png
                ? png.ink.value_or(DefaultInk) == png.paper.value_or(DefaultPaper)
                : png.ink && png.ink == png.paper)
        ? same.arg(u"чёрные", u"белая")
        : QString();
}

// The values of the options, each checked on its own.
QString readValues(Request &request, const QMap<QString, QString> &options)
{
    if (options.contains(u"--set"_s) && options.contains(u"--all"_s))
        return u"ключи --set и --all исключают друг друга."_s;
    for (auto option = options.cbegin(); option != options.cend(); ++option) {
        const QString &value = option.value();
        const QString &name = option.key();
        if (name == u"--set") {
            const std::optional<int> set = integerIn(value, 1, MaxSets);
            if (!set)
                return u"номер набора «%1» — не число от 1 до 64."_s.arg(value);
            request.set = *set - 1;
        } else if (name == u"--block") {
            const std::optional<int> block = integerIn(value, 0, std::numeric_limits<int>::max());
            if (!block)
                return u"номер блока «%1» — не число от 0 и выше."_s.arg(value);
            request.block = *block;
        } else if (name == u"--addr") {
            const std::optional<int> address = parseAddress(value);
            if (!address)
                return u"адрес «%1» не понят: нужно число 0..65535, десятичное или "
                       u"шестнадцатеричное (#FA00, $FA00, 0xFA00)."_s.arg(value);
            request.tap.address = *address;
            request.snapshotAddress = *address;
        } else if (name == u"--cells") {
            request.cells = value;
        } else if (name == u"--loader") {
            request.tap.loader = true;
        } else if (name == u"--base") {
            const QStringList bases = {u"hex"_s, u"dec"_s, u"bin"_s};
            if (!bases.contains(value))
                return u"основание «%1» неизвестно: нужно hex, dec или bin."_s.arg(value);
            request.base = NumberBase(bases.indexOf(value));
        } else if (name == u"--proportional") {
            request.proportional = true;
        } else if (name == u"--text") {
            request.text = value;
        } else if (name == u"--scale") {
            const std::optional<int> scale = integerIn(value, 1, MaxPngScale);
            if (!scale)
                return u"масштаб «%1» — не число от 1 до 16."_s.arg(value);
            request.png.scale = *scale;
        } else if (name == u"--ink" || name == u"--paper") {
            if (const QString error = readColour(request, name == u"--ink", value);
                !error.isEmpty())
                return error;
        } else if (name == u"--first") {
            request.first = integerIn(value, 0, 255);
            if (!request.first)
                return u"код первого символа «%1» — не число от 0 до 255."_s.arg(value);
        } else if (name == u"--force") {
            request.force = true;
        } else if (name == u"--thumbnail") {
            const std::optional<int> size = integerIn(value, 1, MaxThumbnailSize);
            if (!size)
                return u"размер миниатюры «%1» — не число от 1 до %2."_s.arg(value).arg(
                    MaxThumbnailSize);
            request.thumbnail = *size;
            request.force = true; // a file manager names an output it made to be filled
        }
    }
    if (request.thumbnail && request.set < 0)
        request.set = 0;
    if (request.from == Format::Scr && !request.cells)
        return u"на экране не сказано, где какой символ: укажите ключом --cells текст, "
               u"напечатанный на нём с левого верхнего угла, или sheet, если на нём наборы "
               u"листом, как их пишет glyphery-convert."_s;
    return sameColours(request);
}

QString checkPair(const Arguments &given)
{
    if (given.files.size() != 2)
        return u"нужны два файла: какой шрифт преобразовать и куда его записать."_s;
    return {};
}

QString checkBatch(const Arguments &given)
{
    if (given.options.contains(u"--thumbnail"_s))
        return u"ключи --out-dir и --thumbnail исключают друг друга."_s;
    if (given.files.isEmpty())
        return u"с --out-dir нужен хотя бы один входной файл."_s;
    if (!given.options.contains(u"--to"_s))
        return u"с --out-dir нужен ключ --to: в каком формате писать файлы в папку."_s;
    if (!formatNamed(given.options[u"--to"_s]))
        return unknownFormat(given.options[u"--to"_s]);
    return {};
}

// The name of an input without its folder and extensions, ".gz" and the one before it.
QByteArray stemOf(const QByteArray &path)
{
    QByteArray name = path.mid(path.lastIndexOf('/') + 1);
    if (name.toLower().endsWith(".gz"))
        name.chop(3);
    const qsizetype dot = name.lastIndexOf('.');
    return dot > 0 ? name.left(dot) : name;
}

// Each input with the output it goes to: the second file, or under the folder of --out-dir
// with the extension of --to.
QList<std::pair<QByteArray, QByteArray>> filesOf(const Arguments &given)
{
    if (!given.options.contains(u"--out-dir"_s))
        return {{given.files[0], given.files[1]}};
    const QByteArray folder = QFile::encodeName(given.options[u"--out-dir"_s]);
    const QString suffix = defaultSuffix(*formatNamed(given.options[u"--to"_s]));
    QList<std::pair<QByteArray, QByteArray>> files;
    for (const QByteArray &input : given.files)
        files.append({input, folder + '/' + stemOf(input) + '.' + suffix.toUtf8()});
    return files;
}

Job jobFor(const Arguments &given, const QByteArray &input, const QByteArray &output)
{
    Job job;
    job.request.input = input;
    job.request.output = output;
    job.error = checkFormats(job.request, given);
    if (job.error.isEmpty())
        job.error = readValues(job.request, given.options);
    return job;
}

} // namespace

CommandLine parseCommandLine(const QList<QByteArray> &arguments)
{
    CommandLine line;
    const Arguments given = splitArguments(arguments);
    if (!given.error.isEmpty()) {
        line.error = given.error;
        return line;
    }
    if (given.options.contains(u"--help"_s) || given.options.contains(u"-h"_s)) {
        line.help = true;
        return line;
    }
    if (given.options.contains(u"--version"_s)) {
        line.version = true;
        return line;
    }
    line.batch = given.options.contains(u"--out-dir"_s);
    line.error = line.batch ? checkBatch(given) : checkPair(given);
    if (!line.error.isEmpty())
        return line;
    QMap<QByteArray, QByteArray> inputOf; // of each output
    for (const auto &[input, output] : filesOf(given)) {
        line.jobs.append(jobFor(given, input, output));
        if (inputOf.contains(output))
            line.jobs.last().error = u"в %1 уже пишется шрифт из %2."_s.arg(
                quotedPath(output), quotedPath(inputOf[output]));
        inputOf.insert(output, input);
    }
    const QString &jobError = line.jobs.constFirst().error;
    if (!line.batch && !jobError.isEmpty())
        line.error = jobError;
    return line;
}

QString helpText()
{
    return uR"help(Использование: glyphery-convert ВХОД ВЫХОД [--set N | --all] [--from ФОРМАТ] [--to ФОРМАТ] [ключи]
       glyphery-convert --out-dir ПАПКА --to ФОРМАТ ВХОД... [ключи]
       glyphery-convert --thumbnail РАЗМЕР ВХОД ВЫХОД

Преобразует шрифт Spectrum (до 64 наборов по 96 символов 8×8 с кодами 32..127)
из одного формата в другой. Формат узнаётся по расширению файла или задаётся
ключами --from и --to.

Форматы:
  specchr  .SpecCHR .ch8 .bin  чтение, запись
           байты шрифта, 768 на набор, не больше 64 наборов (49152 байт)
  gph      .gph                чтение
           как его импортирует редактор, но только файл ровно из заголовка
           и названных в нём наборов по 6144 байта, точки — 0 или 1
  tap      .tap                чтение, запись
           лента Spectrum, блок CODE со шрифтом (через libspectrum)
  psf      .psf .psfu          чтение, запись
           шрифт консоли Linux, глифы 8×8, один набор
  bdf      .bdf                чтение, запись
           шрифт BDF, клетки 8×8, один набор; числа рамок — от −32768 до 32767
  png      .png                чтение, запись
           лист клеток 8×8 (ниже)
  z80asm   .asm .s .z80s       запись (прежнее имя asm тоже понятно)
           строки DEFB для ассемблера Z80 (.z80 — снимок памяти, не текст)
  x86asm   .nasm               запись
           строки db для nasm
  6502asm  .a65                запись
           строки .byte для xa и ca65
  68kasm   .68k                запись
           строки dc.b для GNU as (m68k), комментарии после «|»
  c        .h                  запись
           массив const unsigned char для C
  fzx      .fzx                чтение, запись
           шрифт FZX, один набор; при чтении символы не шире и не выше 8 точек,
           каждый у левого края клетки
  rust     .rs                 запись
           pub const ИМЯ_1: [u8; 768] … на каждый набор и ИМЯ — весь шрифт,
           собранный из наборов при компиляции (имя — имя файла заглавными)
  c64      .64c                чтение, запись
           адрес загрузки и наборы символов C64 по экранным кодам, один набор
  atari    .fnt                чтение, запись
           1024 байта шрифта Atari 8-bit во внутреннем порядке, один набор
  cpc      .bas                чтение, запись
           программа на Бейсике Amstrad CPC: SYMBOL AFTER и SYMBOL, один набор
  raw      .raw                чтение
           сырой шрифт 8×8 любой длины (по 8 байт на символ), см. --first
  tzx      .tzx                чтение, запись
           лента TZX, как tap (блоки --block считаются все, как в tzxlist)
  scr      .scr                чтение, запись
           экран Spectrum, 6912 байт: до 8 наборов листом (ниже) или --text
  sna      .sna                чтение
  z80      .z80                чтение
  szx      .szx                чтение
           снимок памяти Spectrum 48K или 128K: набор, которым пишет его
           программа (CHARS + 256), или набор с адреса --addr

Символы 94, 96 и 127 у Spectrum — «↑», «£» и «©»; в PSF и BDF они записаны так.
В c64, atari и cpc символ Spectrum ставится на код того же символа у той машины;
коды без такого символа при записи пусты, при чтении пропускаются; символа,
которого у машины нет, при чтении нет и в шрифте (с предупреждением). У C64 нет
\ _ { | } ~ ©, у Atari — £ { } ~ ©. Файл C64 из одного набора (до 2048 байт)
читается как набор с заглавными буквами, в котором C64 начинает работу.

Лист PNG: на набор 32×3 клеток (при чтении и 16×6 или 96×1), наборы один под
другим. Точка шрифта — квадрат от 1×1 до 16×16 точек картинки; при чтении между
клетками может идти линия сетки в одну точку (и рамка вокруг). Всё это узнаётся
по картинке: из листов, какими она может быть, берётся тот, где меньше наборов
и каждая точка шрифта — квадрат одного цвета. Чернила и бумага при чтении — две
группы точек по светлоте, разделённые посередине между самой тёмной и самой
светлой (прозрачная точка — отдельный цвет, темнее чёрного); бумага — та группа,
что занимает большую часть краёв клеток, а если поровну — та, которой больше.
Картинку одного цвета, цветов почти одной светлоты (разница меньше 32 из 255)
или такую, где обеих групп поровну везде, не читают: назовите цвета ключами
--ink и --paper. Записанный лист помнит свои два цвета и всегда читается
обратно. Картинку шире или выше 1000000 точек (предел libpng) не записать.

Экран .scr: 6144 байта точек в порядке экрана Spectrum и 768 байт атрибутов,
24 строки по 32 клетки. Лист — наборы по 3 строки, до 8 наборов; текст --text
ложится, как его печатает PRINT с левого верхнего угла: после 32 знаков строка
продолжается в следующей, перевод строки начинает новую. При чтении экрана
нужен ключ --cells: sheet — лист (наборы из одной бумаги в конце не берутся,
их не отличить от пустых строк) или текст, напечатанный с левого верхнего угла;
символ берётся из первой своей клетки, нарисованный по-разному не читается.

Ключи:
  --set N        только набор N (от 1); без --set и --all берутся все наборы
  --all          все наборы шрифта
  --from ФОРМАТ  формат входного файла
  --to ФОРМАТ    формат выходного файла
  --force        заменить выходной файл, если он уже есть
  --block N      (tap, tzx) взять блок N ленты, считая с 0, как в tzxlist;
                 без ключа берутся все блоки CODE длиной 768·n байт
  --addr АДРЕС   (tap, tzx) адрес шрифта в памяти, от 16384, по умолчанию
                 64000; (sna, z80, szx) адрес набора в снимке вместо CHARS;
                 можно #FA00, $FA00, 0xFA00
  --loader       (tap, tzx) записать перед шрифтом программу на Бейсике, которая
                 делает CLEAR АДРЕС−1, загружает шрифт и включает его двумя
                 POKE; шрифт тогда лежит не ниже 25000, чтобы своей программе
                 на Бейсике оставался 1 КБ (1024 байта), так что наборов
                 не больше 52
  --base ОСН     (z80asm, x86asm, 6502asm, 68kasm) числа hex, dec или bin;
                 по умолчанию hex
  --text ТЕКСТ   (png, scr) нарисовать текст этим шрифтом вместо листа
  --scale N      (png) размер точки при записи, от 1 до 16; по умолчанию 1
  --ink ЦВЕТ     (png) цвет чернил: имя или #RRGGBB (#AARRGGBB с прозрачностью);
                 при записи по умолчанию black, при чтении — сказать его прямо
                 (из png в png — цвет записанного листа)
  --paper ЦВЕТ   (png) цвет бумаги; при записи по умолчанию white
  --ink N, --paper N
                 (запись scr) цвета Spectrum от 0 до 7 в атрибутах: 0 чёрный,
                 1 синий, 2 красный, 3 пурпурный, 4 зелёный, 5 голубой,
                 6 жёлтый, 7 белый; по умолчанию чернила 0, бумага 7
  --cells КЛЕТКИ (чтение scr) sheet или текст, напечатанный на экране
  --proportional (fzx) пропорциональный шрифт: чернила символа сдвинуты к левому
                 краю, ширина — по чернилам, между символами одна точка,
                 символ без чернил (пробел) — в полклетки; без ключа — моноширинный
  --out-dir ПАПКА
                 преобразовать каждый ВХОД в файл этой папки с тем же именем
                 и расширением формата --to (для specchr — .SpecCHR); файл,
                 который преобразовать не удалось, называется в своей строке,
                 остальные преобразуются
  --thumbnail РАЗМЕР
                 миниатюра для файловых менеджеров: первый набор картинкой PNG
                 из 16×6 клеток, чёрным по белому, с точкой шрифта во столько
                 точек, сколько помещается в РАЗМЕР (от 1 до 4096; меньше 128 —
                 уменьшенная); ВЫХОД заменяется, как бы он ни назывался
  --first КОД    (raw) код первого символа файла, от 0 до 255; без ключа
                 0, если в файле 128 или 256 символов; из файла берутся
                 символы с кодами 32..127, каких в нём нет — пустые
  --version      версия программы
  -h, --help     эта справка
  --             дальше только файлы, даже если имя начинается с «-»

Код выхода: 0 — готово, 1 — файл не прочитать, не понять или не записать
(ничего не записано), 2 — ошибка в командной строке, 3 — файл записан, но,
может быть, не целиком или не подтверждён на диске (сообщение говорит,
что с ним). С --out-dir: 1, если не удался хоть один файл, 3, если все
удались, но какой-то записан с сомнением.
)help"_s;
}

} // namespace Glyphery
