#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of a release build, without network, and checks it as a packager
# would: lintian has nothing to say beyond the overrides the package explains, the program is
# hardened, the changelog matches the package, and the package installs into a scratch root,
# starts from its menu entry, and purges without leaving a file behind.
# Usage: check_package.sh <build folder> <source folder>
# Exits 77 (skipped) for a Debug or sanitizer build: those are never packaged.
set -euo pipefail

build=$1
source=$2

cache_value() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"
}
case "$(cache_value CMAKE_BUILD_TYPE)" in
Release | RelWithDebInfo | MinSizeRel) ;;
*)
    echo "skipped: only optimised builds are packaged"
    exit 77
    ;;
esac
if [ "$(cache_value GLYPHERY_SANITIZE)" = ON ]; then
    echo "skipped: sanitizer builds are not packaged"
    exit 77
fi

for tool in cpack lintian dpkg dpkg-deb dpkg-parsechangelog readelf; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (run setup.sh)" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

if ! cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log" >&2
    echo "FAIL: cpack" >&2
    exit 1
fi
debs=("$work"/out/*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: cpack made ${#debs[@]} packages" >&2; exit 1; }
deb=${debs[0]}

# Every tag counts, down to the pedantic ones. An overridden tag is fine: the package's
# lintian-overrides file carries the reason beside it.
lintian --display-level '>=pedantic' --display-experimental --fail-on none "$deb" \
    >"$work/lintian.log" 2>"$work/lintian.err" \
    || { cat "$work/lintian.err" >&2; echo "FAIL: lintian did not run" >&2; exit 1; }
if grep -E '^[EWIPX]: ' "$work/lintian.log" >&2; then
    fail "lintian has the complaints above"
fi

# The Debian changelog's newest entry is this very package.
dpkg-deb -x "$deb" "$work/contents"
changelog=$work/contents/usr/share/doc/glyphery/changelog.Debian.gz
if [ -f "$changelog" ]; then
    zcat "$changelog" >"$work/changelog"
    for field in Version Maintainer; do
        in_package=$(dpkg-deb -f "$deb" "$field")
        in_changelog=$(dpkg-parsechangelog -l "$work/changelog" -S "$field")
        [ "$in_package" = "$in_changelog" ] \
            || fail "$field is '$in_package' in the package but '$in_changelog' in its changelog"
    done
else
    fail "the package has no changelog.Debian.gz"
fi

# Install into an empty root: only this package, nothing run as root, no triggers.
admin=$work/root/var/lib/dpkg
mkdir -p "$admin/info" "$admin/updates"
touch "$admin/status"
run_dpkg() {
    PATH=$PATH:/usr/sbin:/sbin dpkg --root="$work/root" --log=/dev/null --force-not-root \
        --force-depends "$@" >>"$work/dpkg.log" 2>&1 || { cat "$work/dpkg.log" >&2; return 1; }
}
if ! run_dpkg --install "$deb"; then
    echo "FAIL: dpkg cannot install the package" >&2
    exit 1
fi

# The same hardening as Debian's own packages. The program calls no libc function that
# _FORTIFY_SOURCE wraps, so that one shows only in how every file was compiled.
program=$work/root/usr/bin/glyphery
header=$(readelf -hW "$program")
dynamic=$(readelf -dW "$program")
segments=$(readelf -lW "$program")
symbols=$(readelf --dyn-syms -W "$program")
grep -q 'Type: *DYN' <<<"$header" || fail "the program is not position-independent"
grep -q 'FLAGS_1.*PIE' <<<"$dynamic" || fail "the program is not marked PIE"
grep -q GNU_RELRO <<<"$segments" || fail "the program has no RELRO segment"
grep -qE 'BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || fail "the program is not bound now"
grep -q __stack_chk_fail <<<"$symbols" || fail "no stack protector in the program"
commands=$(grep -c '"command":' "$build/compile_commands.json")
for flag in -D_FORTIFY_SOURCE=2 -fstack-protector-strong; do
    with_flag=$(grep '"command":' "$build/compile_commands.json" | grep -c -- " $flag " || true)
    [ "$with_flag" -eq "$commands" ] || fail "$flag is in $with_flag of $commands compilations"
done

# Started as the menu entry starts it, the program must still be running after a few seconds.
exec_line=$(sed -n 's/^Exec=//p' "$work"/root/usr/share/applications/*.desktop)
status=0
PATH=$work/root/usr/bin:$PATH QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config \
    timeout 5 $exec_line >"$work/start.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    cat "$work/start.log" >&2
    fail "'$exec_line' from the installed menu entry ended with status $status"
fi

# Purge leaves nothing but dpkg's own records.
if run_dpkg --purge glyphery; then
    left=$(find "$work/root" -mindepth 1 -not -path "$work/root/var" \
        -not -path "$work/root/var/lib" -not -path "$admin" -not -path "$admin/*")
    [ -z "$left" ] || fail "purge left: ${left//$work\/root/}"
    records=$(find "$admin/info" -name 'glyphery.*')
    [ -z "$records" ] || fail "purge left dpkg records: $records"
else
    fail "dpkg cannot purge the package"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) in the package ${deb##*/}" >&2
    exit 1
fi
echo "package ${deb##*/}: lintian clean, hardened, installs, starts and purges without a trace"
