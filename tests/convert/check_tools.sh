#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks what glyphery-convert writes with the programs that read each format, one check a run:
#
#   check_tools.sh <glyphery-convert> pasmo|z80asm|nasm|xa65|ca65|m68k|gcc|rustc|tzxlist|tapeconv|
#                  snapconv|zmakebas|spectrum|kbd|bdftopcf|fontconfig|freetype|console_fonts|batch|
#                  names|modules
#
# A check whose program is not installed prints why and exits 77, which CTest counts as
# skipped; setup.sh installs them all.
set -euo pipefail

convert=$1
check=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A 64-set font of pseudo-random bytes, the same on every run, and its first set alone.
awk 'BEGIN { srand(64); for (i = 0; i < 49152; i++) printf "\\x%02x", int(rand() * 256) }' \
    >font.hex
printf "$(cat font.hex)" >font.SpecCHR
head -c 768 font.SpecCHR >set1.SpecCHR
[ "$(stat -c %s font.SpecCHR)" = 49152 ] || fail "the test font is not 49152 bytes"

# A conversion that must succeed without a warning.
to() {
    local errors
    errors=$("$convert" "$@" 2>&1 >/dev/null) || fail "glyphery-convert $*: $errors"
    [ -z "$errors" ] || fail "glyphery-convert $* warned: $errors"
}

# The Unicode characters a Spectrum code of 32..127 stands for, as psfgettable prints them.
unicode_of() {
    case $1 in
    94) echo "U+2191 U+005e" ;;
    96) echo "U+00a3 U+0060" ;;
    127) echo "U+00a9" ;;
    *) printf 'U+%04x\n' "$1" ;;
    esac
}

# The glyphs of a font file, one line of eight hex bytes each, from the given offset.
glyph_lines() {
    od -An -v -tx1 -w8 -j "$2" "$1"
}

# The listing in each base, by the format's own extension, assembled to a flat binary.
assemble() {
    local assembler=$1 extension=$2 base
    for base in hex dec bin; do
        to font.SpecCHR "font-$base.$extension" --base "$base"
        case $assembler in
        pasmo) pasmo "font-$base.asm" "out-$base.bin" ;;
        z80asm) z80asm -o "out-$base.bin" "font-$base.asm" ;;
        nasm) nasm -f bin -o "out-$base.bin" "font-$base.nasm" ;;
        xa) xa -o "out-$base.bin" "font-$base.a65" ;;
        ca65)
            ca65 -o "font-$base.o" "font-$base.a65"
            # ld65's own flat configuration holds less than 64 sets.
            printf 'MEMORY { ALL: start = 0, size = $10000, file = %%O; }\n' >flat.cfg
            printf 'SEGMENTS { CODE: load = ALL, type = ro; }\n' >>flat.cfg
            ld65 -C flat.cfg -o "out-$base.bin" "font-$base.o"
            ;;
        m68k-linux-gnu-as)
            m68k-linux-gnu-as -o "font-$base.o" "font-$base.68k"
            m68k-linux-gnu-objcopy -O binary -j .text "font-$base.o" "out-$base.bin"
            ;;
        esac
        cmp "out-$base.bin" font.SpecCHR || fail "$assembler: the $base listing is not the font"
    done
    echo "$assembler assembles the hex, decimal and binary listings of 64 sets to the font's bytes"
}

case $check in
pasmo | z80asm)
    need "$check"
    assemble "$check" asm
    ;;
nasm)
    need nasm
    assemble nasm nasm
    ;;
xa65)
    need xa
    assemble xa a65
    ;;
ca65)
    need ca65 ld65
    assemble ca65 a65
    ;;
m68k)
    need m68k-linux-gnu-as m68k-linux-gnu-objcopy m68k-linux-gnu-nm
    assemble m68k-linux-gnu-as 68k
    # Each set's label at the set's first byte.
    for set in $(seq 1 64); do printf '%08x t font_hex_%d\n' $(((set - 1) * 768)) "$set"; done >labels.txt
    m68k-linux-gnu-nm -n font-hex.o | cmp - labels.txt || fail "the labels are not at the sets"
    echo "m68k-linux-gnu-nm finds label font_hex_N at the first byte of set N"
    ;;
gcc)
    need gcc
    to font.SpecCHR font.h
    # A file named after a C keyword gets an array name that still compiles.
    to set1.SpecCHR int.h
    cat >print.c <<'EOF'
#include "font.h"
#include "int.h"
#include <stdio.h>
int main(void)
{
    return fwrite(font, 1, sizeof font, stdout) != sizeof font
        || fwrite(int_font, 1, sizeof int_font, stdout) != sizeof int_font;
}
EOF
    gcc -std=c11 -Wall -Wextra -Werror -o print print.c
    ./print >out.bin
    cat font.SpecCHR set1.SpecCHR | cmp out.bin - || fail "the C arrays are not the font"
    echo "gcc -Wall -Wextra -Werror compiles the headers; the program prints the font's bytes"
    ;;
rustc)
    # Debian's own compiler, the oldest Rust the text must suit, whatever else is on the PATH.
    rustc=/usr/bin/rustc
    [ -x $rustc ] || { echo "SKIP: rustc is not installed"; exit 77; }
    to font.SpecCHR font.rs
    to set1.SpecCHR int.rs
    {
        printf 'mod font;\nmod int;\nuse std::io::Write;\n\nfn main() {\n    let mut out = std::io::stdout();\n'
        printf '    out.write_all(&font::FONT).unwrap();\n'
        for set in $(seq 1 64); do printf '    out.write_all(&font::FONT_%d).unwrap();\n' "$set"; done
        printf '    out.write_all(&int::INT_FONT).unwrap();\n'
        printf '    out.write_all(&int::INT_FONT_1).unwrap();\n}\n'
    } >print.rs
    errors=$($rustc --edition 2021 -D warnings -o print print.rs 2>&1) || fail "rustc: $errors"
    ./print >out.bin
    cat font.SpecCHR font.SpecCHR set1.SpecCHR set1.SpecCHR | cmp out.bin - \
        || fail "the Rust constants are not the font"
    echo "$($rustc --version) compiles the constants without a warning; FONT and FONT_1..FONT_64 are the font's bytes"
    ;;
tzxlist)
    need tzxlist
    for image in tap tzx; do
        to set1.SpecCHR "font.$image" --loader
        to font.SpecCHR "all.$image" --addr 16384
        tzxlist "font.$image" >font.txt
        tzxlist "all.$image" >all.txt
        grep -Eq 'Program: "font +" LINE 10$' font.txt || fail "no loader in: $(cat font.txt)"
        grep -Eq 'Bytes: "font +" CODE +64000, 768$' font.txt || fail "no CODE in: $(cat font.txt)"
        grep -Eq 'Bytes: "all +" CODE +16384, 49152$' all.txt || fail "no CODE in: $(cat all.txt)"
        [ "$(grep -c '(PASS)' font.txt all.txt | paste -sd' ')" = "font.txt:4 all.txt:2" ] \
            || fail "checksums: $(grep Checksum font.txt all.txt)"
    done
    # A TZX whose first block is a text description: --block counts it, as tzxlist does.
    to set1.SpecCHR bare.tzx
    { printf 'ZXTape!\x1a\x01\x14\x30\x05notes' && tail -c +11 bare.tzx; } >noted.tzx
    code=$(tzxlist noted.tzx | awk '/Block #/ { block = $3 } /Bytes: "bare/ { print block }')
    [ "$code" = "#1" ] || fail "tzxlist lists the CODE header as block ${code:-none}, not #1"
    for block in 1 2; do
        to noted.tzx "block$block.SpecCHR" --block "$block"
        cmp "block$block.SpecCHR" set1.SpecCHR || fail "block $block of the noted tape is not the set"
    done
    echo "tzxlist lists the loader and the CODE blocks of TAP and TZX tapes with their addresses;"
    echo "every checksum passes; --block counts a TZX's blocks as tzxlist does"
    ;;
tapeconv)
    need tapeconv
    # Each tape written turns into the other kind and back through tapeconv, byte for byte.
    to set1.SpecCHR font.tap --loader
    to set1.SpecCHR font.tzx --loader
    to font.SpecCHR all.tap --addr 16384
    to font.SpecCHR all.tzx --addr 16384
    for tape in font all; do
        tapeconv "$tape.tap" "$tape-from-tap.tzx"
        tapeconv "$tape.tzx" "$tape-from-tzx.tap"
        cmp "$tape-from-tap.tzx" "$tape.tzx" || fail "tapeconv makes another TZX of $tape.tap"
        cmp "$tape-from-tzx.tap" "$tape.tap" || fail "tapeconv makes another TAP of $tape.tzx"
    done
    to font-from-tap.tzx again.SpecCHR
    cmp again.SpecCHR set1.SpecCHR || fail "the TZX tapeconv wrote does not read back as the set"
    echo "tapeconv turns every TAP written into the TZX written and back, byte for byte"
    ;;
snapconv)
    need snapconv
    # A 48K .sna written byte by byte: 27 bytes of registers (SP at 23 and 24, interrupt mode
    # at 25, border at 26), then the RAM from 16384. The PC is on the stack, where a .sna keeps
    # it: 32768 at SP 65280. Set 5 of the font lies at 60000, and CHARS (23606/23607) holds
    # the given value.
    snapshot() { # file CHARS
        local low=$(($2 % 256)) high=$(($2 / 256))
        {
            printf '\0%.0s' $(seq 23) && printf '\x00\xff\x01\x07'
            head -c $((23606 - 16384)) /dev/zero
            printf "$(printf '\\x%02x\\x%02x' "$low" "$high")"
            head -c $((60000 - 23608)) /dev/zero
            head -c $((5 * 768)) font.SpecCHR | tail -c 768
            head -c $((65280 - 60768)) /dev/zero
            printf '\x00\x80'
            head -c $((65536 - 65282)) /dev/zero
        } >"$1"
        [ "$(stat -c %s "$1")" = 49179 ] || fail "$1 is not 49179 bytes"
    }
    head -c $((5 * 768)) font.SpecCHR | tail -c 768 >set5.SpecCHR
    snapshot font.sna $((60000 - 256))
    snapshot rom.sna 15360
    for kind in z80 szx; do
        snapconv font.sna "font.$kind" 2>/dev/null
        snapconv rom.sna "rom.$kind" 2>/dev/null
    done
    for kind in sna z80 szx; do
        to "font.$kind" "font-$kind.SpecCHR"
        cmp "font-$kind.SpecCHR" set5.SpecCHR || fail "the .$kind gives another font than set 5"
        status=0
        errors=$("$convert" "rom.$kind" "rom-$kind.SpecCHR" 2>&1) || status=$?
        [ "$status" = 1 ] && [[ $errors == *"CHARS (23606/23607) = 15360"*--addr* ]] \
            || fail "the .$kind whose CHARS points into the ROM gave status $status: $errors"
        to "rom.$kind" "rom-$kind.SpecCHR" --addr 60000
        cmp "rom-$kind.SpecCHR" set5.SpecCHR || fail "--addr 60000 of the .$kind is not set 5"
    done
    echo "the .sna written here and the .z80 and .szx snapconv makes of it give the set CHARS"
    echo "points to; with CHARS in the ROM each is refused, and --addr takes the set all the same"
    ;;
zmakebas)
    need zmakebas
    # The POKEs worked out here on their own: CHARS is 256 below the font.
    for address in 64000 32768 64768 25000; do
        low=$((address % 256))
        high=$(((address / 256 + 255) % 256))
        printf '10 CLEAR %d: LOAD ""CODE %d: POKE 23606,%d: POKE 23607,%d\n' \
            $((address - 1)) "$address" "$low" "$high" >loader.bas
        zmakebas -a 10 -n loader -o expected.tap loader.bas
        to set1.SpecCHR loader.tap --loader --addr "$address" --force
        head -c "$(stat -c %s expected.tap)" loader.tap | cmp - expected.tap \
            || fail "the loader for $address differs from zmakebas's"
    done
    echo "the loader program and its header are zmakebas's, byte for byte, at four addresses"
    ;;
kbd)
    need psfgettable psfxtable
    to set1.SpecCHR font.psf
    psfgettable font.psf table.txt
    for code in $(seq 32 127); do
        line=$(printf '0x%03x\t%s' "$code" "$(unicode_of "$code")")
        grep -qxF "$line" table.txt || fail "psfgettable has no line '$line'"
    done
    # psfxtable writes the font again with the table it reads; the copy converts back to the set.
    psfxtable -i font.psf -it table.txt -o copy.psf
    to copy.psf copy.SpecCHR
    cmp copy.SpecCHR set1.SpecCHR || fail "the font psfxtable rewrote is not the set"
    mapfile -t written < <(glyph_lines font.psf 32)
    mapfile -t expected < <(glyph_lines set1.SpecCHR 0)
    for code in $(seq 32 127); do
        [ "${written[code]}" = "${expected[code - 32]}" ] || fail "glyph $code is not the set's"
    done
    echo "psfgettable reads the table of every code 32..127; psfxtable's copy converts back"
    ;;
bdftopcf)
    need bdftopcf
    to set1.SpecCHR font.bdf
    errors=$(bdftopcf -o font.pcf font.bdf 2>&1) || fail "bdftopcf: $errors"
    [ -z "$errors" ] || fail "bdftopcf warned: $errors"
    [ -s font.pcf ] || fail "bdftopcf wrote nothing"
    echo "bdftopcf compiles the BDF font without a word"
    ;;
fontconfig)
    need bdftopcf fc-query
    to set1.SpecCHR font.bdf
    bdftopcf -o font.pcf font.bdf
    # The Spectrum's characters by Unicode: ASCII but for 94 "↑", 96 "£" and 127 "©".
    expected='font|110|8|20-5d 5f 61-7e a3 a9 2191'
    found=$(fc-query --format='%{family}|%{spacing}|%{pixelsize}|%{charset}' font.pcf)
    [ "$found" = "$expected" ] || fail "fc-query: family|spacing|pixel size|charset $found, not $expected"
    echo "fc-query reads the compiled font as family font, a character cell of 8 pixels, the 96 characters"
    ;;
freetype)
    need bdftopcf
    # Debian's own Python, where python3-freetype is installed.
    /usr/bin/python3 -c 'import freetype' 2>/dev/null || { echo "SKIP: python3-freetype is not installed"; exit 77; }
    to set1.SpecCHR font.bdf
    bdftopcf -o font.pcf font.bdf
    # Each character rendered by FreeType through the Unicode map, row by row, is the set's glyph.
    /usr/bin/python3 - font.pcf set1.SpecCHR <<'EOF'
import sys
import freetype

face = freetype.Face(sys.argv[1])
face.select_charmap(freetype.FT_ENCODING_UNICODE)
font = open(sys.argv[2], "rb").read()
for code in range(32, 128):
    character = {94: "\u2191", 96: "\u00a3", 127: "\u00a9"}.get(code, chr(code))
    if face.get_char_index(character) == 0:
        sys.exit(f"FAIL: FreeType has no glyph for {character!r}")
    face.load_char(character, freetype.FT_LOAD_RENDER | freetype.FT_LOAD_TARGET_MONO)
    glyph = face.glyph
    bitmap = glyph.bitmap
    rows = bytes(bitmap.buffer[row * bitmap.pitch] for row in range(bitmap.rows))
    expected = font[(code - 32) * 8:(code - 31) * 8]
    if (glyph.bitmap_top, glyph.bitmap_left, rows) != (7, 0, expected):
        sys.exit(f"FAIL: {character!r} renders as {rows.hex()} at {glyph.bitmap_top},"
                 f" {glyph.bitmap_left}, not {expected.hex()}")
EOF
    echo "FreeType renders every character, \"A\" among them, as the set's glyph through the Unicode map"
    ;;
spectrum)
    need fuse-sdl
    rom=/usr/share/spectrum-roms/opense.rom
    [ -r "$rom" ] || { echo "SKIP: no free Spectrum ROM at $rom (opense-basic)"; exit 77; }
    # Fuse on a 48K Spectrum with the free ROM, no display, no sound, as fast as it goes. Its
    # debugger types the keys: a key is its code in LAST_K (23560) with bit 5 of FLAGS (23611)
    # set, and the next one waits until the ROM has taken it. First LOAD "" and ENTER, so the
    # loader runs and sets CHARS (23606/23607); 25 frames after CHARS is right (the ROM drops a
    # key pressed while it ends a program), a line that sets the colours, clears the screen,
    # prints codes 32..127 from its top left and waits in PAUSE 0, so that the lower screen
    # stays clear. 300 frames after its ENTER (the emulator counts frames alike on any host)
    # the debugger prints the whole screen memory, 6912 bytes, a frame's share at a time, then
    # the free memory, RAMTOP (23730) less STKEND (23653). A Spectrum that has not got there
    # by frame 5000 stops with status 3.
    spectrum_screen() {
        local tape=$1 low=$2 high=$3 keys
        local -n line=$4
        local load=(239 34 34 13) # LOAD ""
        key_of() { # the expression for key number $<variable> of a list
            local -n list=$1
            local i expression=0
            for i in "${!list[@]}"; do expression+="+(\$$2==$i)*${list[i]}"; done
            echo "$expression"
        }
        {
            printf 'set $%s 0\n' k j w t p
            echo "break time 1000 if spectrum:frames > 150 && ([23611] & 32) == 0 && \$k < ${#load[@]}"
            echo 'commands 1'
            echo "set 23560 $(key_of load k)"
            printf '%s\n' 'set 23611 [23611] | 32' 'set $k $k + 1' continue end
            echo "break time 1000 if \$w == 0 && [23606] == $low && [23607] == $high"
            printf '%s\n' 'commands 2' 'set $w spectrum:frames' continue end
            echo "break time 1000 if \$w > 0 && spectrum:frames > \$w + 25 && ([23611] & 32) == 0 && \$j < ${#line[@]}"
            echo 'commands 3'
            echo "set 23560 $(key_of line j)"
            printf '%s\n' 'set 23611 [23611] | 32' 'set $j $j + 1' 'set $t spectrum:frames' continue end
            echo "break time 1000 if \$j == ${#line[@]} && spectrum:frames > \$t + 300 && \$p < 6912"
            echo 'commands 4'
            for byte in $(seq 0 767); do echo "print [16384 + \$p + $byte]"; done
            printf '%s\n' 'set $p $p + 768' continue end
            printf '%s\n' 'break time 1000 if $p == 6912' 'commands 5'
            printf '%s\n' 'print [23730] + 256 * [23731] - [23653] - 256 * [23654]' 'exit 0' end
            printf '%s\n' 'break time 1000 if spectrum:frames > 5000' 'commands 6' 'exit 3' end
        } >keys.txt
        HOME=$work SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy timeout 120 fuse-sdl --machine 48 \
            --rom-48 "$rom" --no-sound --speed 10000 --no-auto-load --tape "$tape" \
            --debugger-command "$(cat keys.txt)" >fuse.txt 2>fuse-errors.txt \
            || fail "the Spectrum did not print the text from $tape: $(cat fuse-errors.txt)"
        mapfile -t printed < <(grep '^0x' fuse.txt)
        [ ${#printed[@]} = 6913 ] || fail "fuse printed ${#printed[@]} values, not 6913"
        printf "$(printf '\\x%02x' "${printed[@]:0:6912}")" >screen.scr
    }
    # The Spectrum's codes 32..127 as text: ASCII but for "↑", "£" and "©".
    text=
    for code in $(seq 32 127); do
        case $code in
        94) text+=↑ ;;
        96) text+=£ ;;
        127) text+=© ;;
        *) printf -v character '%b' "\\x$(printf %02x "$code")" && text+=$character ;;
        esac
    done
    # Keywords as their tokens: BORDER b: PAPER b: INK i: CLS: FOR i=32 TO 127: PRINT CHR$ i;:
    # NEXT i: PAUSE 0, or with PRINT '"x" before the PAUSE. BORDER b gives the two lines of the
    # lower screen paper b and ink 7 on paper 0..3, ink 0 on 4..7, so these colours fill the
    # whole screen alike.
    colours_1_7=(231 49 58 218 49 58 217 55 58)
    colours_6_0=(231 54 58 218 54 58 217 48 58)
    loop=(251 58 235 105 61 51 50 204 49 50 55 58 245 194 105 59 58 243 105 58)
    pause=(242 48 13)
    x=(245 39 34 120 34 58)
    # Set N of the 64-set font at each address: the lowest the loader allows, one in the
    # middle, and the highest a set fits at; its text, its sheet, and with "x" a line after it.
    for case in 2:25000:1:7:x 33:40000:6:0: 64:64768:1:7:; do
        IFS=: read -r set address paper ink after <<<"$case"
        to font.SpecCHR "font$set.tap" --loader --set "$set" --addr "$address"
        head -c $((set * 768)) font.SpecCHR | tail -c 768 >set.SpecCHR
        colours=colours_${paper}_$ink[@]
        typed=("${!colours}" "${loop[@]}")
        [ -z "$after" ] || typed+=("${x[@]}")
        typed+=("${pause[@]}")
        spectrum_screen "font$set.tap" $((address % 256)) $(((address / 256 + 255) % 256)) typed
        cells=$text${after:+$'\n'$after}
        to set.SpecCHR text.scr --text "$cells" --ink "$ink" --paper "$paper" --force
        cmp text.scr screen.scr || fail "the screen with set $set at $address is not the text's .scr"
        if [ -z "$after" ]; then
            to set.SpecCHR sheet.scr --ink "$ink" --paper "$paper" --force
            cmp sheet.scr screen.scr || fail "the screen with set $set is not the set's sheet"
        fi
        to screen.scr read.SpecCHR --cells "$cells" --force
        cmp read.SpecCHR set.SpecCHR || fail "the font read off the screen at $address is not set $set"
        free=$((printed[6912]))
        [ "$free" -ge 1024 ] || fail "only $free bytes free for BASIC with the font at $address"
    done
    echo "a 48K Spectrum (Fuse, free ROM) runs the loader at 25000, 40000 and 64768 and prints"
    echo "codes 32..127 with the set the tape holds, in two sets of colours and once with a line"
    echo "after them: its screen memory is the .scr of that text and of the set's sheet, byte for"
    echo "byte, and reads back as the set; BASIC keeps at least 1024 bytes free"
    ;;
batch)
    need gzip
    shopt -s nullglob
    packed=(/usr/share/consolefonts/*.gz)
    [ ${#packed[@]} -gt 0 ] || { echo "SKIP: no console fonts (console-setup-linux)"; exit 77; }
    mkdir in out
    for font in "${packed[@]}"; do
        gzip -dc "$font" >"in/$(basename "$font" .gz)"
    done
    # Each of them is a PSF 1 (8 × height at byte 3) or PSF 2 (width at 28, height at 24).
    cells=0
    for font in in/*; do
        header=$(od -An -v -tu1 -N32 "$font" | tr -s ' \n' ' ')
        read -r -a byte <<<"$header"
        if { [ "${byte[0]}" = 54 ] && [ "${byte[3]}" = 8 ]; } \
            || { [ "${byte[0]}" = 114 ] && [ "${byte[24]}" = 8 ] && [ "${byte[28]}" = 8 ]; }; then
            cells=$((cells + 1))
        fi
    done
    TIMEFORMAT=%U+%S
    status=0
    { time "$convert" --out-dir out --to specchr in/* 2>errors.txt; } 2>cpu.txt || status=$?
    [ "$status" = 1 ] || fail "the batch ended with status $status, not 1 for the fonts refused"
    [ "$(find out -type f | wc -l)" = "$cells" ] \
        || fail "$(find out -type f | wc -l) fonts written, $cells are of 8 × 8 glyphs"
    for font in in/*; do
        name=$(basename "$font")
        lines=$(grep -cF "«in/$name»" errors.txt || true)
        written=$([ -f "out/${name%.*}.SpecCHR" ] && echo 1 || echo 0)
        [ $((lines + written)) = 1 ] || fail "$name: written $written, named in $lines lines"
    done
    cpu=$(awk -F+ '{ print $1 + $2 }' cpu.txt)
    # Under the sanitizers too: their cost shows what each file costs, such as a buffer of the
    # largest input allocated for every small font.
    awk -v cpu="$cpu" 'BEGIN { exit !(cpu < 1) }' || fail "the batch took $cpu s of CPU"
    echo "${#packed[@]} console fonts in one run: $cells converted, the rest refused a line each, $cpu s of CPU"
    ;;
console_fonts)
    need psfgettable gzip
    shopt -s nullglob
    fonts=(/usr/share/consolefonts/*VGA8.psf.gz)
    [ ${#fonts[@]} -gt 0 ] || { echo "SKIP: no 8 x 8 console fonts (console-setup-linux)"; exit 77; }
    for packed in "${fonts[@]}"; do
        name=$(basename "$packed" .psf.gz)
        gzip -dc "$packed" >"$name.psf"
        to "$name.psf" "$name.SpecCHR"
        to "$name.SpecCHR" "$name-again.psf"
        # kbd's reading of the console font's table, first glyph of a character winning.
        declare -A glyph_of=()
        while read -r index unicodes; do
            for unicode in $unicodes; do
                [ -n "${glyph_of[$unicode]:-}" ] || glyph_of[$unicode]=$((16#${index#0x}))
            done
        done < <(psfgettable "$name.psf" | grep '^0x')
        mapfile -t original < <(glyph_lines "$name.psf" 4)
        mapfile -t again < <(glyph_lines "$name-again.psf" 32)
        for code in $(seq 32 127); do
            glyph=
            for unicode in $(unicode_of "$code"); do
                [ -n "$glyph" ] || glyph=${glyph_of[$unicode]:-}
            done
            [ -n "$glyph" ] || fail "$name has no glyph for code $code"
            [ "${original[glyph]}" = "${again[code]}" ] \
                || fail "$name: code $code is glyph $glyph (${original[glyph]}), came back ${again[code]}"
        done
        unset glyph_of
    done
    echo "${#fonts[@]} console fonts convert to SpecCHR and back with every glyph of 32..127 kept"
    ;;
modules)
    # Qt Gui is loaded for pictures alone and libspectrum for tapes and snapshots, each from its
    # module beside the program or below its parent folder; a program without its modules says
    # so instead of failing blindly.
    ! ldd "$convert" | grep -qE 'libQt6Gui|libspectrum' || fail "the program itself loads them"
    to set1.SpecCHR set1.png
    to set1.SpecCHR set1.tap
    cp "$convert" alone
    declare -A module_of=([png]="модуль картинок PNG" [tap]="модуль лент и снимков Spectrum")
    for format in png tap; do
        status=0
        ./alone set1.SpecCHR "alone.$format" 2>errors.txt || status=$?
        [ "$status" = 1 ] && grep -q "${module_of[$format]}" errors.txt && [ ! -e "alone.$format" ] \
            || fail "$format without its module: status $status, $(cat errors.txt)"
    done
    ./alone set1.SpecCHR alone.fzx || fail "without its modules the program fails an FZX font too"
    echo "Qt Gui and libspectrum loaded only when needed; without its modules the rest is done"
    ;;
names)
    # A name that is not UTF-8 is the bytes it is, not the name Qt would make of it (U+FFFD,
    # bytes EF BF BD), which may be another file.
    printf decoy >$'\xef\xbf\xbd.SpecCHR'
    to set1.SpecCHR $'\xff.SpecCHR'
    cmp $'\xff.SpecCHR' set1.SpecCHR || fail "the font was not written under its name"
    cp set1.SpecCHR $'\xfe.SpecCHR'
    to $'\xfe.SpecCHR' read.SpecCHR
    cmp read.SpecCHR set1.SpecCHR || fail "another file was read"
    [ "$(cat $'\xef\xbf\xbd.SpecCHR')" = decoy ] || fail "the file named U+FFFD was changed"
    echo "names that are not UTF-8 are written and read as the bytes they are"
    ;;
*)
    fail "unknown check $check"
    ;;
esac
