#!/usr/bin/env bash
# Sets everything up and runs every test: a Release build (optimised as the
# benchmarks and the mutation tool build it; the benchmarks are built too, not run,
# so that they keep building), then one under AddressSanitizer and
# UndefinedBehaviorSanitizer (RelWithDebInfo, for their stack traces), then every fuzz
# target for a bounded time (PASSCAT_FUZZ_SECONDS each, 30 by default).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/setup.sh"

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

echo "== Release build"
"$top/scripts/build.sh" "$top/build/test" -DCMAKE_BUILD_TYPE=Release -DPASSCAT_BUILD_BENCH=ON
ctest --test-dir "$top/build/test" --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
"$top/scripts/build.sh" "$top/build/asan" -DPASSCAT_SANITIZE=ON
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$top/build/asan" --output-on-failure -j "$jobs"

echo "== fuzzing"
PASSCAT_FUZZ_SECONDS=${PASSCAT_FUZZ_SECONDS:-30} PASSCAT_FUZZ_BUILD="$top/build/fuzz" "$top/fuzz/run-fuzzers.sh"
