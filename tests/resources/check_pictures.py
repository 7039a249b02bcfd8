#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails, naming each file, unless a picture folder holds exactly the PNG files
the picture script draws, byte for byte.

    check_pictures.py MAKE_PICTURES PICTURES_DIR
"""

import subprocess
import sys
import tempfile
from pathlib import Path


def read_pngs(folder):
    return {path.name: path.read_bytes() for path in Path(folder).glob("*.png")}


def faults(drawn, checked_in):
    for name in sorted(drawn.keys() | checked_in.keys()):
        if name not in checked_in:
            yield "%s: drawn by the script but not checked in" % name
        elif name not in drawn:
            yield "%s: checked in but not drawn by the script" % name
        elif drawn[name] != checked_in[name]:
            yield "%s: differs from what the script draws" % name


def main(script, pictures_dir):
    with tempfile.TemporaryDirectory() as drawn_dir:
        run = subprocess.run([sys.executable, script, drawn_dir],
                             capture_output=True, text=True)
        if run.returncode != 0:
            print("%s failed:\n%s" % (script, run.stderr), file=sys.stderr)
            return 1
        drawn = read_pngs(drawn_dir)
    found = list(faults(drawn, read_pngs(pictures_dir)))
    for fault in found:
        print(fault, file=sys.stderr)
    if found:
        print("Run %s to redraw the pictures." % script, file=sys.stderr)
        return 1
    print("%d pictures are what the script draws" % len(drawn))
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
