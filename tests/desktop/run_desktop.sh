#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the desktop suite on an X server of its own (Xvfb, through xvfb-run), under openbox or
# under no window manager, and stops both afterwards. Skips, with the reason, without them.
# Usage: run_desktop.sh <test program> openbox|none
set -euo pipefail
needed=(xvfb-run xauth xwininfo xprop)
[ "$2" = openbox ] && needed+=(openbox)
for tool in "${needed[@]}"; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# The window manager is ready once it has announced itself on the root window.
exec xvfb-run --auto-servernum --server-args="-screen 0 1280x1024x24 -nolisten tcp" bash -c '
    if [ "$2" = openbox ]; then
        openbox --sm-disable &
        for wait in $(seq 200); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
            sleep 0.05
        done
    fi
    GLYPHERY_WINDOW_MANAGER=$2 QT_QPA_PLATFORM=xcb exec "$1"' run "$1" "$2"
