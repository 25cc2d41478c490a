#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehavior-
# Sanitizer) and runs each for a bounded time, starting from the seed corpus in
# fuzz/corpus/. Fails when a target finds an input that crashes it or breaks one of
# its properties; the input is then in BUILD/artifacts/TARGET/.
#
#   fuzz/run-fuzzers.sh [TARGET...]      targets: number_text block_reader block_limit evaluation track_readers terrain_tile
#
# PASSCAT_FUZZ_SECONDS  time per target, default 60
# PASSCAT_FUZZ_BUILD    build folder, default build-fuzz at the top of the tree
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${PASSCAT_FUZZ_BUILD:-$top/build-fuzz}
seconds=${PASSCAT_FUZZ_SECONDS:-60}
targets=("$@")
((${#targets[@]})) || targets=(number_text block_reader block_limit evaluation track_readers terrain_tile)

cmake -S "$top/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" --parallel >/dev/null

# The number text target also reads every text under a locale with a decimal comma.
# None may be installed: build one for this folder only.
locales=$build/locale
if [[ ! -d $locales/ru_RU.UTF-8 ]] && command -v localedef >/dev/null; then
  mkdir -p "$locales"
  localedef -i ru_RU -f UTF-8 "$locales/ru_RU.UTF-8" >/dev/null 2>&1 ||
    echo "note: no ru_RU locale could be built; the locale check of number_text may be off"
fi
[[ -d $locales ]] && export LOCPATH=$locales

failed=()
summary=()
for target in "${targets[@]}"; do
  work=$build/corpus/$target
  artifacts=$build/artifacts/$target
  log=$build/logs/$target.log
  mkdir -p "$work" "$artifacts" "$(dirname "$log")"
  echo "== fuzz_$target for ${seconds}s"
  status=0
  "$build/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -print_final_stats=1 \
    -dict="$top/fuzz/passcat.dict" -artifact_prefix="$artifacts/" \
    "$work" "$top/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  corpus=$(find "$work" -type f | wc -l)
  summary+=("$(printf '%-14s %12s executions  %6s inputs in corpus  %s' "$target" "${runs:-?}" "$corpus" \
    "$( ((status == 0)) && echo ok || echo "FAILED (exit $status)")")")
  if ((status != 0)); then
    failed+=("$target")
    tail -n 60 "$log"
  fi
done

echo "== fuzzing summary (${seconds}s per target)"
printf '%s\n' "${summary[@]}"
if ((${#failed[@]})); then
  echo "failed: ${failed[*]}; inputs in $build/artifacts/, logs in $build/logs/"
  exit 1
fi
