#!/usr/bin/env bash
# Sets everything up, builds passcat and evaluates the sample passes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"
"$top/scripts/build.sh" "$top/build/release" -DPASSCAT_BUILD_TESTS=OFF

report="$top/build/example/rez.txt"
mkdir -p "$(dirname "$report")"
status=0
"$top/build/release/cli/passcat-cli" --region 3 --output "$report" "$top/examples/passes.txt" || status=$?
echo "Report of examples/passes.txt written to $report (exit status $status)"
