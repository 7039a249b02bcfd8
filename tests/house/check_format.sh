#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every C++ file of the sources is as clang-format (the repository's .clang-format) writes it.
# Usage: check_format.sh <source folder>
set -euo pipefail
cd "$1"
command -v clang-format >/dev/null || { echo "FAIL: clang-format is missing (run setup.sh)"; exit 1; }
find . -path ./build -prune -o -path './build-*' -prune -o -path ./.git -prune -o \
    \( -name '*.cpp' -o -name '*.h' \) -print0 \
    | xargs -0 clang-format --dry-run -Werror
echo "every C++ file is formatted"
