#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks that the program's folders stay levels: each includes only itself and the levels
before it, font, editor, operations, shell; the editor program (app) may include any level,
the converter (convert) the font document's level alone, since it converts fonts and nothing
of the editor. Prints every include that goes up a level or into a sibling, and fails.

Usage: check_levels.py <source folder>
"""

import pathlib
import re
import sys

LEVELS = {"font": 1, "editor": 2, "operations": 3, "shell": 4, "app": 5, "convert": 2}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"/]+)/')


def wrong_includes(root):
    for folder, level in LEVELS.items():
        for path in sorted((root / folder).rglob("*")):
            if path.suffix not in (".cpp", ".h"):
                continue
            lines = path.read_text(encoding="utf-8").splitlines()
            for number, line in enumerate(lines, 1):
                match = INCLUDE.match(line)
                if not match or match.group(1) == folder:
                    continue
                target = match.group(1)
                if LEVELS.get(target, level) >= level:
                    yield f"{path.relative_to(root)}:{number}: {folder}/ may not include {target}/"


def main():
    wrong = list(wrong_includes(pathlib.Path(sys.argv[1])))
    print("\n".join(wrong) or "every include stays within its level or goes below it")
    return 1 if wrong else 0


if __name__ == "__main__":
    sys.exit(main())
