#!/usr/bin/env bash
# Sets everything up, builds passcat, evaluates the sample passes with passcat-cli
# and opens the window.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build/release" -DPASSCAT_BUILD_TESTS=OFF

report="$top/build/example/rez.txt"
mkdir -p "$(dirname "$report")"
status=0
"$top/build/release/cli/passcat-cli" --region 3 --output "$report" "$top/examples/passes.txt" || status=$?
echo "Report of examples/passes.txt written to $report (passcat-cli exit status $status)"

window="$top/build/release/gui/passcat"
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  echo "Opening the window: $window"
  "$window"
else
  echo "No display here: open the window with a virtual one, xvfb-run -a $window"
fi
