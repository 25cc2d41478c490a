#!/usr/bin/env bash
# Takes docs/window.png: the window as it opens, shown on a virtual X display.
# Usage: scripts/screenshot-window.sh [PATH-TO-passcat]; without a path, the newest
# passcat built under build*/ is used. Builds nothing. Needs xvfb and xauth.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

program=${1:-}
if [[ -z $program ]]; then
    program=$(find "$top"/build* -path '*/gui/passcat' -type f -executable -printf '%T@ %p\n' 2>/dev/null |
        sort -rn | head -n 1 | cut -d' ' -f2-)
fi
if [[ -z $program || ! -x $program ]]; then
    echo "no passcat program found; build it first or give its path" >&2
    exit 1
fi

mkdir -p "$top/docs"
# 96 dpi: the size the window's layout is drawn for.
PASSCAT_WINDOW_SNAPSHOT="$top/docs/window.png" QT_QPA_PLATFORM=xcb \
    xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -dpi 96" "$program"
echo "wrote $top/docs/window.png"
