#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the desktop suite on an X server of its own (Xvfb, through xvfb-run), under a window
# manager (openbox, icewm ...) or none, and stops them afterwards. With a number of runs, the
# suite runs that many times in a row while every core is kept busy, as by a build beside it:
# a failure that comes once in five runs cannot pass ten. Skips, with the reason, without the
# programs it needs. The window manager keeps its files in a home folder of its own.
# Usage: run_desktop.sh <test program> <window manager>|none [runs under load]
set -euo pipefail
needed=(xvfb-run xauth xwininfo xprop xdotool)
[ "$2" != none ] && needed+=("$2")
for tool in "${needed[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
HOME=$(mktemp -d)
trap 'rm -rf "$HOME"' EXIT
export HOME
# The window manager is ready once it has announced itself in full: its check window on the
# root window names itself too, and the root window lists what it supports. Before that the
# program would take the display for one without a window manager.
xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    set -eu
    ready() {
        local check
        check=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o "0x[0-9a-f]*") &&
            xprop -id "$check" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$check" &&
            xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_FRAME_EXTENTS
    }
    if [ "$2" != none ]; then
        "$2" >/dev/null 2>&1 &
        manager=$!
        for wait in $(seq 1200); do
            ready && break
            kill -0 $manager 2>/dev/null || { echo "FAIL: $2 ended as it started"; exit 1; }
            [ "$wait" -lt 1200 ] || { echo "FAIL: $2 did not announce itself in 60 s"; exit 1; }
            sleep 0.05
        done
    fi
    export GLYPHERY_WINDOW_MANAGER=$2 QT_QPA_PLATFORM=xcb
    [ "$3" -gt 0 ] || exec "$1"
    load=()
    for core in $(seq $(($(nproc) + 1))); do
        bash -c "while :; do :; done" &
        load+=($!)
    done
    trap "kill ${load[*]}" EXIT
    for run in $(seq "$3"); do
        echo "Run $run of $3 under load"
        "$1"
    done' run "$1" "$2" "${3:-0}"
