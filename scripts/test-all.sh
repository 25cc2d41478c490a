#!/usr/bin/env bash
# Sets everything up and runs every test: the Linux ones (scripts/test.sh), and the
# Windows release built and tested under wine (scripts/build-windows.sh, then
# scripts/test-windows.sh).
# The Windows build (on a fresh machine nearly all of it Qt's first build) runs beside
# the Linux tests at the lowest priority, so that it takes what processor time they
# leave; its tests follow. CI gives a run 90 minutes: what of the Windows part has not
# finished 82 minutes after the start is stopped and said so, not counted a failure.
# Usage: bash scripts/test-all.sh
set -euo pipefail
cd "$(dirname "$0")/.."
deadline=$((82 * 60))

# Both builds' packages first: two apt-get at once would wait for each other's lock.
bash scripts/build-windows.sh install_tools add_source_entries
mkdir -p build
windows_log=build/windows-build.log
setsid -w nice -n 19 bash scripts/build-windows.sh build_qt build_libraries build_passcat bundle installer \
  >"$windows_log" 2>&1 &
windows_build=$!
trap 'kill -- -$windows_build 2>/dev/null || true' EXIT

bash scripts/test.sh

echo "== Windows build (beside the Linux tests: $windows_log)"
while kill -0 "$windows_build" 2>/dev/null && ((SECONDS < deadline)); do
  sleep 10
done
if kill -0 "$windows_build" 2>/dev/null; then
  tail -n 5 "$windows_log"
  echo "== the Windows build had not finished after $((SECONDS / 60)) minutes; stopped, not tested"
  exit 0
fi
if ! wait "$windows_build"; then
  tail -n 40 "$windows_log"
  echo "== the Windows build failed"
  exit 1
fi
grep '^== ' "$windows_log"

echo "== Windows tests"
if ((deadline - SECONDS < 60)); then
  echo "== no time left for the Windows tests after $((SECONDS / 60)) minutes; not run"
  exit 0
fi
status=0
timeout --kill-after=30 $((deadline - SECONDS)) bash scripts/test-windows.sh || status=$?
if ((status == 124 || status == 137)); then
  echo "== the Windows tests had not finished after $((SECONDS / 60)) minutes; stopped"
  exit 0
fi
exit $status
