#!/usr/bin/env bash
# One end-to-end case of passcat-cli as a tool: runs tests/data/tool/CASE.sh with bash
# in a fresh folder holding examples/passes.txt, after common.bash, and compares what
# it writes to standard output, then "--- stderr" and standard error, with
# CASE.expected byte for byte. A case that cannot run here exits with 77 (skipped).
# With --regenerate as the last argument, writes CASE.expected instead.
#   run_case.sh PASSCAT_CLI EXAMPLES_DIR CASE_SCRIPT [--regenerate]
set -uo pipefail
cli=$1
examples=$2
script=$3
data=$(cd "$(dirname "$script")" && pwd)
expected=${script%.sh}.expected

work=$(mktemp -d)
output=$(mktemp -d)
trap 'chmod -R u+rwX "$work"; rm -rf "$work" "$output"' EXIT
cp "$examples"/passes.txt "$work"/
(cd "$work" && env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C TMPDIR="$work" CLI="$cli" DATA="$data" \
  bash -c 'source "$1"; source "$2"' case "$data/common.bash" "$script") >"$output/out" 2>"$output/err"
status=$?
[[ $status == 77 ]] && exit 77
{ cat "$output/out"; echo "--- stderr"; cat "$output/err"; } >"$output/actual"

if [[ ${4:-} == --regenerate ]]; then
  cp "$output/actual" "$expected"
  exit 0
fi
if ! diff -u --label "$(basename "$expected")" --label actual "$expected" "$output/actual"; then
  echo "passcat-cli case $(basename "$script"): the output differs (above)"
  exit 1
fi
