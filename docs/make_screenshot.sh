#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's screenshot of the real main window under Xvfb with a window manager,
# openbox, so that the window's frame and caption show: the picture is of the window manager's
# frame window, which holds the program's window. Needs: xvfb openbox x11-apps x11-utils
# imagemagick xdotool.
# Usage: docs/make_screenshot.sh [path to glyphery] [output png]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
program=${1:-$here/../build/glyphery}
output=${2:-$here/screenshot.png}
display=:97

Xvfb $display -screen 0 1024x600x24 >/dev/null 2>&1 &
xvfb=$!
config=$(mktemp -d)
# The program first, which writes its place as it ends, then what it ran on.
trap 'kill $app 2>/dev/null && wait $app; kill $wm $xvfb 2>/dev/null || true; rm -rf "$config"' EXIT
export DISPLAY=$display
sleep 1
# openbox keeps its files in a home folder of its own, not in the user's.
HOME=$config openbox >/dev/null 2>&1 &
wm=$!
sleep 1
# A fresh settings store, so the window opens at its default place.
XDG_CONFIG_HOME=$config "$program" &
app=$!
window=$(xdotool search --sync --onlyvisible --name '^Glyphery$' | head -n 1)
sleep 1
# A letter drawn in the edit square and stored into the font with "Сохранить", so that both
# the square and the strip show it. Positions are in the client area, under the 18 px menu bar.
read -r X Y < <(xwininfo -id "$window" | awk '/Absolute upper-left X/ { x = $4 }
    /Absolute upper-left Y/ { y = $4 } END { print x, y }')
click() { xdotool mousemove $((X + $1)) $((Y + 18 + $2)) click 1; }
rows=("..####.." ".#....#." "#......." "#..####." "#.....#." ".#....#." "..####.." "........")
for y in "${!rows[@]}"; do
    for x in $(seq 0 7); do
        [ "${rows[$y]:$x:1}" = "#" ] && click $((264 + 32 * x + 16)) $((120 + 32 * y + 16))
    done
done
sleep 0.5
click 600 276
sleep 1
# The window manager's frame: the program's window's ancestor just below the root window.
frame=$window
while parent=$(xwininfo -tree -id "$frame" | awk '/Parent window id/ { print $4 }') &&
    [ "$parent" != "$(xwininfo -tree -id "$frame" | awk '/Root window id/ { print $4 }')" ]; do
    frame=$parent
done
xwd -silent -id "$frame" | /usr/bin/convert xwd:- "$output"
echo "wrote $output"
