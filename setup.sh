#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up a Debian 12 machine for Glyphery, builds it, and then either starts the editor
# ("run") or runs the whole test suite ("test"). Safe to run again: it installs only what is
# missing and rebuilds only what changed.
set -euo pipefail

mode=${1:-run}
case "$mode" in
run | test) ;;
*)
    echo "usage: $0 [run|test]" >&2
    exit 2
    ;;
esac
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${GLYPHERY_BUILD_DIR:-$here/build}

# What building and running the editor needs, and file, with which the package step (the
# README's cmake --build build --target package) finds the programs among the files. The
# converter's tapes and snapshots go through libspectrum, found with pkg-config, and the
# project does not configure without it.
packages=(build-essential cmake qt6-base-dev libxcb1-dev qt6-translations-l10n fonts-liberation2
    file pkg-config libspectrum-dev)
if [ "$mode" = test ]; then
    packages+=(
        # the second build, with clang and its sanitizers; the format check; Python checks
        clang libclang-rt-14-dev clang-format python3
        # a real X server, two window managers that frame windows differently, and a mouse
        # for the desktop suite
        xvfb xauth openbox icewm x11-utils xdotool
        # the small disks the file commands are tried on: ext2, ext4, and FAT and ext2 through FUSE
        e2fsprogs dosfstools fusefat fuse2fs
        # the package, its validators and lintian
        desktop-file-utils appstream dpkg-dev lintian man-db libxml2-utils shared-mime-info
        # the programs that read what glyphery-convert writes (fuse-emulator-utils: tzxlist,
        # tapeconv, snapconv)
        pasmo z80asm fuse-emulator-utils zmakebas kbd xfonts-utils console-setup-linux fontconfig
        python3-freetype
        # the assemblers of the x86, the 6502 and the 68000, and Rust
        nasm xa65 cc65 binutils-m68k-linux-gnu rustc
        # a Spectrum to run the loader tape on: the Fuse emulator and a free ROM
        fuse-emulator-sdl opense-basic
    )
fi

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

# Every option is given each time, so that nothing one mode set stays in the other's cache.
configure() {
    local dir=$1
    shift
    cmake -S "$here" -B "$dir" "$@"
}

install_missing
case "$mode" in
run)
    configure "$build" -DGLYPHERY_WERROR=OFF -DGLYPHERY_SANITIZE=OFF -DBUILD_TESTING=OFF
    cmake --build "$build" --parallel "$(nproc)" --target glyphery
    exec "$build/glyphery"
    ;;
test)
    configure "$build" -DGLYPHERY_WERROR=ON -DGLYPHERY_SANITIZE=OFF -DBUILD_TESTING=ON
    cmake --build "$build" --parallel "$(nproc)"
    ctest --test-dir "$build" --output-on-failure
    # The same suite built by clang under AddressSanitizer and UndefinedBehaviorSanitizer:
    # memory errors, leaks and undefined behaviour fail a test, and the code must build
    # warning-free with both compilers.
    configure "$build-sanitize" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
        -DGLYPHERY_WERROR=ON -DGLYPHERY_SANITIZE=ON -DBUILD_TESTING=ON
    cmake --build "$build-sanitize" --parallel "$(nproc)"
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        ctest --test-dir "$build-sanitize" --output-on-failure
    ;;
esac
