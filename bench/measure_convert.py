#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""glyphery-convert as a user runs it: the CPU time of whole runs of the program, from the
process's start to its end, for each format written and read, on a 64-set font of random bytes.
bench_convert times the conversions inside one process; this adds what every run pays besides:
starting the process, loading its libraries and Qt Core, and the modules a format needs.

Each row is run the given number of times; the figure is the median of the user and system
time the kernel accounts to each run (wait4), so waiting for a core does not count. The
formats that hold one set convert set 1 of the font, a screen the first 8 sets; the reading
rows read what the program wrote (or, for snapshots, a 48K .sna made here and the .z80 and .szx
snapconv makes of it, when fuse-emulator-utils is installed) back to SpecCHR.

Usage: bench/measure_convert.py [build folder] [runs]
"""
import os
import random
import shutil
import statistics
import subprocess
import sys
import tempfile

SET_BYTES = 768
SETS = 64

# (row, input, output, options): written from the font, then read back.
WRITES = [
    ("SpecCHR", "font.SpecCHR", "out.SpecCHR", []),
    ("TAP", "font.SpecCHR", "out.tap", ["--addr", "16384"]),
    ("TAP with a loader, set 1", "font.SpecCHR", "loader.tap", ["--loader", "--set", "1"]),
    ("TZX", "font.SpecCHR", "out.tzx", ["--addr", "16384"]),
    ("Z80 DEFB, hex", "font.SpecCHR", "out.asm", []),
    ("x86 db, hex", "font.SpecCHR", "out.nasm", []),
    ("6502 .byte, hex", "font.SpecCHR", "out.a65", []),
    ("68000 dc.b, hex", "font.SpecCHR", "out.68k", []),
    ("C header", "font.SpecCHR", "out.h", []),
    ("Rust", "font.SpecCHR", "out.rs", []),
    ("PNG sheet", "font.SpecCHR", "out.png", []),
    ("PNG thumbnail, 256", "font.SpecCHR", "thumb.png", ["--thumbnail", "256"]),
    ("PSF, set 1", "font.SpecCHR", "out.psf", ["--set", "1"]),
    ("BDF, set 1", "font.SpecCHR", "out.bdf", ["--set", "1"]),
    ("FZX, proportional, set 1", "font.SpecCHR", "out.fzx", ["--set", "1", "--proportional"]),
    ("C64, set 1", "font.SpecCHR", "out.64c", ["--set", "1"]),
    ("Atari, set 1", "font.SpecCHR", "out.fnt", ["--set", "1"]),
    ("CPC BASIC, set 1", "font.SpecCHR", "out.bas", ["--set", "1"]),
    ("screen, 8 sets", "font8.SpecCHR", "out.scr", []),
]
READS = [
    ("from TAP", "out.tap", []),
    ("from TZX", "out.tzx", []),
    ("from a PNG sheet", "out.png", []),
    ("from PSF", "out.psf", []),
    ("from BDF", "out.bdf", []),
    ("from FZX", "out.fzx", []),
    ("from C64", "out.64c", []),
    ("from Atari", "out.fnt", []),
    ("from CPC BASIC", "out.bas", []),
    ("from a raw font of 256 characters", "font.raw", []),
    ("from a screen, 8 sets", "out.scr", ["--cells", "sheet"]),
    ("from .sna", "in.sna", []),
    ("from .z80", "in.z80", []),
    ("from .szx", "in.szx", []),
]


def cpu_ms(command):
    """The user and system time of one run, in milliseconds; None if it failed."""
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    errors = process.stderr.read().decode(errors="replace").strip()
    process.stderr.close()
    if process.returncode != 0:
        print(f"  failed ({process.returncode}): {' '.join(command)}\n  {errors}", file=sys.stderr)
        return None
    return (usage.ru_utime + usage.ru_stime) * 1000


def measure(row, command, runs):
    times = [cpu_ms(command) for _ in range(runs)]
    if None in times:
        print(f"| {row} | failed | |")
        return False
    median = statistics.median(times)
    print(f"| {row} | {median:.1f} ms | {max(times):.1f} ms | {'yes' if median < 10 else 'NO'} |")
    return median < 10


def write_snapshots(folder, font):
    """A 48K .sna whose CHARS points 256 bytes below set 1 at 60000, with the PC (32768) on the
    stack as a .sna keeps it; snapconv turns it into the .z80 and the .szx."""
    sna = bytearray(27 + 49152)
    sna[23:25] = (65280).to_bytes(2, "little")  # SP
    sna[27 + 23606 - 16384:27 + 23608 - 16384] = (60000 - 256).to_bytes(2, "little")
    sna[27 + 60000 - 16384:27 + 60000 - 16384 + SET_BYTES] = font[:SET_BYTES]
    sna[27 + 65280 - 16384:27 + 65282 - 16384] = (32768).to_bytes(2, "little")
    with open(os.path.join(folder, "in.sna"), "wb") as file:
        file.write(sna)
    if shutil.which("snapconv"):
        for name in ("in.z80", "in.szx"):
            subprocess.run(["snapconv", "in.sna", name], cwd=folder, check=True,
                           stdout=subprocess.DEVNULL)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "../build"))
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 21
    program = os.path.join(build, "convert", "glyphery-convert")
    if not os.access(program, os.X_OK):
        sys.exit(f"missing {program}: build the target glyphery-convert first")
    folder = tempfile.mkdtemp(prefix="glyphery-measure-")
    try:
        font = random.Random(64).randbytes(SETS * SET_BYTES)
        for name, data in (("font.SpecCHR", font), ("font8.SpecCHR", font[:8 * SET_BYTES]),
                           ("font.raw", font[:256 * 8])):
            with open(os.path.join(folder, name), "wb") as file:
                file.write(data)
        write_snapshots(folder, font)
        os.chdir(folder)
        print(f"{program}, {runs} runs a row: median and longest CPU time of a whole run\n")
        print("| Conversion | Median | Longest | Under 10 ms |\n|---|---|---|---|")
        held = True
        for row, source, target, options in WRITES:
            held &= measure(row, [program, source, target, "--force"] + options, runs)
        for row, source, options in READS:
            if not os.path.exists(source):
                print(f"| {row} | skipped: no {source} (snapconv is not installed) | | |")
                continue
            held &= measure(row, [program, source, "back.SpecCHR", "--force"] + options, runs)
        return 0 if held else 1
    finally:
        shutil.rmtree(folder)


if __name__ == "__main__":
    sys.exit(main())
