#!/usr/bin/env bash
# Installs a built tree into a scratch prefix and checks that everything a desktop needs is in
# its place and valid: the program, the menu entry, the four icon sizes and the AppStream
# description, each the file it was made from, and naming one another consistently.
# Usage: check_install.sh <build folder> <source folder>
set -euo pipefail

build=$1
source=$2
prefix=$(mktemp -d)
log=$(mktemp)
trap 'rm -rf "$prefix" "$log"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (run setup.sh)" >&2; exit 1; }
done

if ! cmake --install "$build" --prefix "$prefix" >"$log" 2>&1; then
    cat "$log" >&2
    echo "FAIL: cmake --install" >&2
    exit 1
fi

desktop=$prefix/share/applications/glyphery.desktop
metainfo=$prefix/share/metainfo/io.github.glyphery.Glyphery.metainfo.xml

[ -x "$prefix/bin/glyphery" ] || fail "bin/glyphery is missing or not executable"

# same <installed> <source>: present and the very file it was installed from.
same() {
    if [ ! -f "$1" ]; then
        fail "${1#"$prefix"/} is missing"
    elif ! cmp -s "$1" "$2"; then
        fail "${1#"$prefix"/} is not ${2#"$source"/}"
    fi
}
same "$desktop" "$source/packaging/glyphery.desktop"
same "$metainfo" "$source/packaging/io.github.glyphery.Glyphery.metainfo.xml"

# The width and height a PNG file says it has, from its header.
png_size() {
    local width height
    width=$(od -An -tu1 -j16 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    height=$(od -An -tu1 -j20 -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }')
    echo "${width}x$height"
}
for size in 16 32 48 256; do
    icon=$prefix/share/icons/hicolor/${size}x$size/apps/glyphery.png
    same "$icon" "$source/resources/pictures/glyphery-$size.png"
    # An icon theme trusts the folder name; a picture of another size there is drawn wrongly.
    if [ -f "$icon" ] && [ "$(png_size "$icon")" != "${size}x$size" ]; then
        fail "the ${size}x$size icon is $(png_size "$icon")"
    fi
done

if [ -f "$desktop" ]; then
    desktop-file-validate "$desktop" || fail "desktop-file-validate rejects glyphery.desktop"
    # The menu entry must start the installed program and show the installed icon.
    exec_line=$(sed -n 's/^Exec=//p' "$desktop")
    [ -x "$prefix/bin/${exec_line%% *}" ] || fail "Exec=$exec_line is not an installed program"
    icon_name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$prefix/share/icons/hicolor/48x48/apps/$icon_name.png" ] \
        || fail "Icon=$icon_name is not an installed icon"
fi

if [ -f "$metainfo" ]; then
    appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
    # Software centres find the program through these two names.
    grep -q '<launchable type="desktop-id">glyphery.desktop</launchable>' "$metainfo" \
        || fail "the metainfo does not launch glyphery.desktop"
    grep -q '<binary>glyphery</binary>' "$metainfo" || fail "the metainfo does not provide glyphery"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) in the installed layout" >&2
    exit 1
fi
echo "install layout: all files present and valid"
