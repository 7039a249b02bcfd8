#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time and memory of the editor against bench/baseline_window, a bare Qt window with
# the same menus, toolbar, fonts and translations. Both run under their own Xvfb, started in
# turn, each with a fresh settings folder. Measured from outside, with no help from the
# programs:
#   start-up  from just before exec to the MapNotify of the program's window, read from an
#             xev listening on the root window (event-driven, so no polling interval is added);
#   CPU       the processor time all its threads have used by then, from /proc/PID/task/*/
#             schedstat: unlike the wall time it does not grow while other work holds the
#             cores, so it is the figure to trust on a busy machine;
#   memory    VmRSS from /proc/PID/status once the window has been shown for a while.
# Prints the median of each, and the editor's figures as a ratio of the baseline's.
#
# Usage: bench/measure_startup.sh [build folder] [starts of each program]
# Needs: xvfb x11-utils (installed when missing, if we are root).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${1:-$here/../build}
runs=${2:-20}
editor=$build/glyphery
baseline=$build/bench/baseline_window
# How long a window is left shown before its memory is read: long enough for the first paint
# and for the fonts, icons and translations it loaded on the way.
settle=${GLYPHERY_SETTLE_SECONDS:-1.5}

for program in "$editor" "$baseline"; do
    if [ ! -x "$program" ]; then
        echo "missing $program: build the targets glyphery and baseline_window first" >&2
        exit 2
    fi
done

missing=()
command -v Xvfb >/dev/null || missing+=(xvfb)
command -v xev >/dev/null || missing+=(x11-utils)
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "please install: ${missing[*]}" >&2
        exit 2
    fi
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

work=$(mktemp -d)
display=
xvfb=
xev=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    [ -n "$xev" ] && kill "$xev" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses.
for number in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
        display=:$number
        break
    fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 2; }

Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do
    xdpyinfo -display "$display" >/dev/null 2>&1 && break
    sleep 0.05
done

# Every window mapped on the screen is reported as a line of its own, at once.
mkfifo "$work/events"
stdbuf -oL xev -display "$display" -root -event substructure >"$work/events" &
xev=$!
exec 3<"$work/events"
# Let xev select its events on the root window before anything is started.
sleep 0.5

export DISPLAY=$display
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

# start PROGRAM: starts it with a fresh settings folder, waits for its window to be mapped
# and shown, and prints "<milliseconds to the map> <VmRSS in KiB> <CPU milliseconds>".
start() {
    local program=$1 config line before after rss cpu
    config=$(mktemp -d "$work/config.XXXXXX")
    # Whatever the previous program left in the event stream is not about this one.
    while read -r -t 0.05 line <&3; do :; done
    before=$EPOCHREALTIME
    XDG_CONFIG_HOME=$config "$program" >/dev/null 2>&1 &
    app=$!
    while :; do
        if ! read -r -t 30 line <&3; then
            echo "no window from $program" >&2
            exit 1
        fi
        if [[ $line == MapNotify* ]]; then
            after=$EPOCHREALTIME
            break
        fi
    done
    sleep "$settle"
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$app/status")
    cpu=$(cat /proc/"$app"/task/*/schedstat | awk '{ sum += $1 } END { print sum / 1e6 }')
    kill "$app"
    wait "$app" 2>/dev/null || true
    app=
    awk -v b="${before/,/.}" -v a="${after/,/.}" -v r="$rss" -v c="$cpu" \
        'BEGIN { printf "%.1f %d %.1f\n", (a - b) * 1000, r, c }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END {
        if (NR % 2) print v[(NR + 1) / 2]; else printf "%.1f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# One start of each first, untimed, so both find the libraries and fonts in the page cache.
start "$editor" >/dev/null
start "$baseline" >/dev/null

: >"$work/editor"
: >"$work/baseline"
for run in $(seq "$runs"); do
    # Alternating, so a change in the machine's load during the run falls on both alike.
    if [ $((run % 2)) -eq 1 ]; then
        start "$editor" >>"$work/editor"
        start "$baseline" >>"$work/baseline"
    else
        start "$baseline" >>"$work/baseline"
        start "$editor" >>"$work/editor"
    fi
done

editor_ms=$(cut -d' ' -f1 "$work/editor" | median)
baseline_ms=$(cut -d' ' -f1 "$work/baseline" | median)
editor_rss=$(cut -d' ' -f2 "$work/editor" | median)
baseline_rss=$(cut -d' ' -f2 "$work/baseline" | median)
editor_cpu=$(cut -d' ' -f3 "$work/editor" | median)
baseline_cpu=$(cut -d' ' -f3 "$work/baseline" | median)

awk -v runs="$runs" -v em="$editor_ms" -v bm="$baseline_ms" -v er="$editor_rss" \
    -v br="$baseline_rss" -v ec="$editor_cpu" -v bc="$baseline_cpu" 'BEGIN {
    printf "Medians of %d starts each, alternating, under Xvfb, fresh settings each time.\n", runs
    printf "%-28s %12s %12s %8s  %s\n", "", "glyphery", "baseline", "ratio", "within 10 %"
    printf "%-28s %12.1f %12.1f %8.3f  %s\n", "exec to window mapped (ms)", em, bm, em / bm,
        em <= 1.1 * bm ? "yes" : "NO"
    printf "%-28s %12.1f %12.1f %8.3f  %s\n", "CPU time once shown (ms)", ec, bc, ec / bc,
        ec <= 1.1 * bc ? "yes" : "NO"
    printf "%-28s %12d %12d %8.3f  %s\n", "VmRSS once shown (KiB)", er, br, er / br,
        er <= 1.1 * br ? "yes" : "NO"
}'
