#!/usr/bin/env bash
# Takes docs/window.png, the window as it opens, and docs/results-window.png, the
# results window of a track of two passes (copied to a scratch folder, where the report
# goes); shown on a virtual X display.
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
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$top/examples/two-passes.gpx" "$scratch/"
# 96 dpi: the size the window's layout is drawn for; a scratch settings folder, so that
# the results window has its first size.
shoot() {
    XDG_CONFIG_HOME="$scratch" QT_QPA_PLATFORM=xcb \
        xvfb-run --auto-servernum --server-args="-screen 0 1024x768x24 -dpi 96" "$@"
}
PASSCAT_WINDOW_SNAPSHOT="$top/docs/window.png" shoot "$program"
PASSCAT_RESULTS_SNAPSHOT="$top/docs/results-window.png" shoot "$program" "$scratch/two-passes.gpx"
echo "wrote $top/docs/window.png and $top/docs/results-window.png"
