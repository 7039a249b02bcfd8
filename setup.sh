#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for Glyphery, builds it, and then either starts the editor
# ("run") or runs the whole test suite ("test"). Safe to run again: it installs only what is
# missing and rebuilds only what changed.
set -euo pipefail

mode=${1:-run}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${GLYPHERY_BUILD_DIR:-$here/build}

packages=(
    build-essential cmake qt6-base-dev qt6-translations-l10n
    fonts-liberation2 fonts-dejavu-core
    desktop-file-utils appstream
    dpkg-dev file lintian man-db libxml2-utils shared-mime-info
    # The programs that read what glyphery-convert writes, for its tests.
    pasmo z80asm fuse-emulator-utils zmakebas kbd xfonts-utils console-setup-linux
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' \
            || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
            "${missing[@]}"
    fi
}

build_in() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" "$@"
    cmake --build "$dir" --parallel "$(nproc)"
}

install_missing
case "$mode" in
run)
    build_in "$build"
    exec "$build/glyphery"
    ;;
test)
    build_in "$build" -DGLYPHERY_WERROR=ON
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure
    # The same suite under AddressSanitizer and UndefinedBehaviorSanitizer: memory errors, leaks
    # and undefined behaviour fail a test.
    build_in "$build-sanitize" -DGLYPHERY_WERROR=ON -DGLYPHERY_SANITIZE=ON \
        -DCMAKE_BUILD_TYPE=Debug
    QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$build-sanitize" --output-on-failure
    ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
