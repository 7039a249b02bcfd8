#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every tracked source file that can hold a comment names the project's licence in one of its
# first lines, so a file copied out of the tree still says under which terms it may be used.
# Usage: check_licence_lines.sh <source folder>
# Exits 77 (skipped) outside a git checkout, where "tracked" means nothing.
set -euo pipefail

source=$1
line='SPDX-License-Identifier: GPL-3.0-or-later'
# Room for what has to come first: a #! line, an XML declaration or a document type.
top_lines=3

git -C "$source" rev-parse --is-inside-work-tree >/dev/null 2>&1 || {
    echo "skipped: $source is not a git checkout"
    exit 77
}

# Source files are known by name, or by a #! line when they have no extension. Pictures,
# fuzzing corpora, the licence itself and the Debian files of fixed format are none of these.
is_source() {
    case $1 in
    *.cpp | *.h | *.cmake | */CMakeLists.txt | CMakeLists.txt | *.sh | *.py) return 0 ;;
    *.qrc | *.desktop | *.xml | *.html | *.1) return 0 ;;
    *) [ "$(head -c2 "$source/$1" | tr -d '\0')" = '#!' ] ;;
    esac
}

missing=0
while IFS= read -r -d '' file; do
    [ -f "$source/$file" ] && is_source "$file" || continue
    top=$(head -n "$top_lines" "$source/$file")
    if ! grep -qF "$line" <<<"$top"; then
        echo "no licence line: $file" >&2
        missing=$((missing + 1))
    fi
done < <(git -C "$source" ls-files -z)

if [ "$missing" -ne 0 ]; then
    echo "$missing source file(s) lack '$line' in their first $top_lines lines" >&2
    exit 1
fi
echo "licence lines: every source file names GPL-3.0-or-later"
