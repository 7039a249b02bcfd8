#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs a built tree into a scratch prefix and checks what a desktop and a packager need:
# every file in its place and the very file it was made from, the menu entry, AppStream data,
# MIME type and icons all named after one application id, each file passing its validator,
# and the manual pages reading cleanly.
# Usage: check_install.sh <build folder> <source folder>
set -euo pipefail

build=$1
source=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
prefix=$root/usr
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli xmllint update-mime-database man lexgrog; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (run setup.sh)" >&2; exit 1; }
done

if ! cmake --install "$build" --prefix "$prefix" >"$root/install.log" 2>&1; then
    cat "$root/install.log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

# Everything else is named after the id the AppStream data declares.
metainfo_source=$(ls "$source"/packaging/*.metainfo.xml)
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo_source")
[ -n "$id" ] || { echo "FAIL: no <id> in $metainfo_source" >&2; exit 1; }

desktop=$prefix/share/applications/$id.desktop
metainfo=$prefix/share/metainfo/$id.metainfo.xml
mime=$prefix/share/mime/packages/$id.xml

# installed file | the source it must be, byte for byte
while read -r installed made_from; do
    if [ ! -f "$prefix/$installed" ]; then
        fail "$installed is missing"
    elif ! cmp -s "$prefix/$installed" "$source/$made_from"; then
        fail "$installed is not $made_from"
    fi
done <<EOF
share/applications/$id.desktop               packaging/$id.desktop
share/metainfo/$id.metainfo.xml              packaging/$id.metainfo.xml
share/mime/packages/$id.xml                  packaging/$id.mime.xml
share/thumbnailers/$id.thumbnailer           packaging/$id.thumbnailer
share/doc/glyphery/copyright                 packaging/copyright
share/icons/hicolor/16x16/apps/$id.png       resources/pictures/glyphery-16.png
share/icons/hicolor/32x32/apps/$id.png       resources/pictures/glyphery-32.png
share/icons/hicolor/48x48/apps/$id.png       resources/pictures/glyphery-48.png
share/icons/hicolor/256x256/apps/$id.png     resources/pictures/glyphery-256.png
EOF
for program in glyphery glyphery-convert; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done

# The width and height a PNG file says it has, from its header.
png_size() {
    local width height
    width=$(od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    height=$(od -An -tu1 -j20 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    echo "${width}x$height"
}
# An icon theme trusts the folder name; a picture of another size there is drawn wrongly.
for size in 16 32 48 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    if [ -f "$icon" ] && [ "$(png_size "$icon")" != "${size}x$size" ]; then
        fail "the ${size}x$size icon is $(png_size "$icon")"
    fi
done

# The value of a key in the desktop file's main group, or nothing.
desktop_value() {
    sed -n "s/^$1=//p" "$desktop"
}
if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $id.desktop"
    # The menu entry starts the installed program, with nothing after it: the program takes no
    # file argument, so a MimeType line would offer it for files it cannot open.
    [ "$(desktop_value Exec)" = glyphery ] || fail "Exec=$(desktop_value Exec) is not 'glyphery'"
    [ -z "$(desktop_value MimeType)" ] || fail "the menu entry claims MIME types"
    [ "$(desktop_value Icon)" = "$id" ] || fail "Icon=$(desktop_value Icon) is not $id"
    [ "$(desktop_value StartupNotify)" = true ] || fail "StartupNotify is not true"
    for key in 'Name\[ru\]' 'Comment\[ru\]' Keywords 'Keywords\[ru\]'; do
        [ -n "$(desktop_value "$key")" ] || fail "the menu entry has no ${key//\\/}"
    done
fi

# Notes the AppStream validator may give, each with the reason it stays. Anything else fails.
allowed_appstream_note() {
    case $1 in
    # The id is under .invalid, the top-level name reserved for names that do not exist,
    # because the project has no domain of its own yet; the validator knows only real ones.
    cid-maybe-not-rdns) return 0 ;;
    *) return 1 ;;
    esac
}
if [ -f "$metainfo" ]; then
    # validate-tree also checks the launchable menu entry and the icons the tree holds.
    if ! appstreamcli validate-tree --pedantic --no-net "$root" >"$root/appstream.log" 2>&1; then
        cat "$root/appstream.log" >&2
        fail "appstreamcli rejects the installed tree"
    fi
    for note in $(sed -n 's/^ *[EWIP]: [^ ]*: \([a-z0-9-]*\).*/\1/p' "$root/appstream.log"); do
        allowed_appstream_note "$note" || fail "appstreamcli: $note (see above)"
    done
    grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
        || fail "the metainfo does not launch $id.desktop"
    for provided in '<binary>glyphery</binary>' '<binary>glyphery-convert</binary>' \
        '<mediatype>application/x-specchr</mediatype>'; do
        grep -q "$provided" "$metainfo" || fail "the metainfo does not provide $provided"
    done
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:[A-Z]*=//p' "$build/CMakeCache.txt")
    grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$metainfo" \
        || fail "the metainfo has no release $version"
fi
# The project has no web site and no mail address: none may be made up for it.
for file in "$desktop" "$metainfo"; do
    if [ -f "$file" ] && grep -nE 'https?://|[A-Za-z0-9._-]+@[A-Za-z0-9-]+\.' "$file"; then
        fail "${file##*/} names an address"
    fi
done

if [ -f "$mime" ]; then
    xmllint --noout "$mime" || fail "$id.xml is not well-formed XML"
    # Build a MIME database from our file alone, as the system's trigger does from all of them.
    # It reports a bad file by printing and still succeeding; with the scratch folder on the
    # search path it prints nothing else.
    mkdir -p "$root/mime/packages"
    cp "$mime" "$root/mime/packages/"
    complaints=$(XDG_DATA_DIRS=$root XDG_DATA_HOME=$root update-mime-database "$root/mime" 2>&1)
    [ -z "$complaints" ] || fail "update-mime-database: $complaints"
    grep -qx 'application/x-specchr:\*\.specchr' "$root/mime/globs" \
        || fail "the MIME database does not map *.SpecCHR to application/x-specchr"
    grep -qx "application/x-specchr:$id" "$root/mime/icons" \
        || fail "application/x-specchr does not show the program's icon"
    grep -q '<comment xml:lang="ru">Шрифт Spectrum</comment>' "$root/mime/application/x-specchr.xml" \
        || fail "application/x-specchr has no Russian comment"
fi

# The thumbnailer run as a file manager runs it: TryExec found on the path, the Exec line with
# the size, the font and the thumbnail put in. The picture read back is the font's first set.
thumbnailer=$prefix/share/thumbnailers/$id.thumbnailer
if [ -f "$thumbnailer" ]; then
    grep -qx 'MimeType=application/x-specchr;' "$thumbnailer" || fail "the thumbnailer's MIME type"
    head -c 1536 /dev/urandom >"$root/two sets.SpecCHR"
    exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
    exec_line=${exec_line//%s/128}
    exec_line=${exec_line//%i/\"$root/two sets.SpecCHR\"}
    exec_line=${exec_line//%o/\"$root/thumbnail\"}
    PATH=$prefix/bin:$PATH command -v "$(sed -n 's/^TryExec=//p' "$thumbnailer")" >/dev/null \
        || fail "the thumbnailer's TryExec is not on the path"
    (cd "$root" && eval "PATH=\$prefix/bin:\$PATH $exec_line") || fail "the thumbnailer failed"
    [ "$(png_size "$root/thumbnail")" = 128x48 ] \
        || fail "a thumbnail of 128 is $(png_size "$root/thumbnail")"
    "$prefix/bin/glyphery-convert" --from png "$root/thumbnail" "$root/back.SpecCHR"
    head -c 768 "$root/two sets.SpecCHR" | cmp -s - "$root/back.SpecCHR" \
        || fail "the thumbnail is not the font's first set"
fi

# The converter's tapes come from its other module, found where it was installed too.
head -c 768 /dev/urandom >"$root/set.SpecCHR"
"$prefix/bin/glyphery-convert" "$root/set.SpecCHR" "$root/set.tap" \
    && "$prefix/bin/glyphery-convert" "$root/set.tap" "$root/from tape.SpecCHR" \
    && cmp -s "$root/set.SpecCHR" "$root/from tape.SpecCHR" \
    || fail "the installed converter does not write and read back a tape"

# Every manual page, found by man as a reader finds them, by language: present, compressed,
# formatted without a warning, and readable, which a page in the wrong folder or the wrong
# encoding is not; so the rendered page must hold its own NAME line. lexgrog reads that line
# for man -k and apropos.
# language | program | page | its source
while read -r language program page made_from other; do
    if [ ! -f "$prefix/$page" ]; then
        fail "$page is missing"
        continue
    fi
    gzip -t "$prefix/$page" || fail "$page is not gzip"
    whatis=$(lexgrog "$prefix/$page" || true)
    [[ $whatis == *": \"$program - "* ]] || fail "$page has no NAME line for $program"
    name_line=$(awk 'named { print; exit } /^\.SH / { named = 1 }' "$source/$made_from")
    name_line=${name_line//\\-/-}
    rendered=$(MANPATH=$prefix/share/man LC_ALL=C.UTF-8 MANWIDTH=80 \
        man --warnings -L "$language" "$program" 2>"$root/man.log") || true
    [ ! -s "$root/man.log" ] || fail "man -L $language $program: $(cat "$root/man.log")"
    [[ $rendered == *"$name_line"* ]] \
        || fail "man -L $language $program does not read '$name_line'"
    [[ $rendered == *"$other(1)"* ]] || fail "man -L $language $program does not name $other(1)"
done <<EOF
en glyphery         share/man/man1/glyphery.1.gz            packaging/glyphery.1            glyphery-convert
ru glyphery         share/man/ru/man1/glyphery.1.gz         packaging/glyphery.ru.1         glyphery-convert
en glyphery-convert share/man/man1/glyphery-convert.1.gz    packaging/glyphery-convert.1    glyphery
ru glyphery-convert share/man/ru/man1/glyphery-convert.1.gz packaging/glyphery-convert.ru.1 glyphery
EOF

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) in the installed layout" >&2
    exit 1
fi
echo "install layout: all files present, named after $id and valid"
