#!/usr/bin/env bash
# Times passcat-cli on the two largest kinds of input beside their yardsticks and
# prints the medians and ratios:
#   (i)  one block of 32767 points, beside the plain surface loop that sums one point
#        after the other on one thread (bench/plain_surface_loop.cpp);
#   (ii) about 200 MB of 20-point blocks, beside cat reading the input and writing a
#        file exactly as large as the report.
# Usage: bench/run-figures.sh [BUILD_DIR] [RUNS]   (defaults: build/bench, 5 runs)
# The inputs are generated once into BUILD_DIR/figures; the outputs go there too.
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/bench}
runs=${2:-5}

if [[ ! -x $build/cli/passcat-cli || ! -x $build/bench/passcat-bench-plain-loop ]]; then
  echo "== building $build (Release)"
  cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPASSCAT_BUILD_BENCH=ON \
    -DPASSCAT_BUILD_TESTS=OFF -DPASSCAT_BUILD_WINDOW=OFF >/dev/null
fi
cmake --build "$build" --target passcat-cli passcat-bench-plain-loop passcat-bench-profiles >/dev/null

cli=$build/cli/passcat-cli
plain=$build/bench/passcat-bench-plain-loop
work=$build/figures
mkdir -p "$work"
big=$work/one-block-32767.txt
many=$work/blocks-of-20-200MB.txt
[[ -s $big ]] || "$build/bench/passcat-bench-profiles" single 32767 "$big"
[[ -s $many ]] || "$build/bench/passcat-bench-profiles" many 200 20 "$many"

# Milliseconds that a command takes; it must succeed.
milliseconds() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null
  end=$(date +%s%N)
  echo $(((end - start) / 1000000))
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "machine: $(nproc) processors, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')"
echo "date:    $(date -u '+%Y-%m-%d %H:%M UTC'), $runs runs each, medians, runs interleaved"

# (i) the largest block, under both weightings.
for weighting in height length; do
  cli_times=() plain_times=()
  for ((k = 0; k < runs; ++k)); do
    plain_times+=("$(milliseconds "$plain" "$big" "$weighting")")
    cli_times+=("$(milliseconds "$cli" --weighting "$weighting" --output "$work/one-block.rez" "$big")")
  done
  p=$(printf '%s\n' "${plain_times[@]}" | median)
  c=$(printf '%s\n' "${cli_times[@]}" | median)
  echo "(i)  32767 points, by $weighting: plain loop $p ms, passcat-cli $c ms: $(ratio "$p" "$c") times faster (target: at least 8)"
done

# (ii) many small blocks: cat writes the same number of bytes as the report has.
"$cli" --output "$work/many.rez" "$many"
report_bytes=$(stat -c %s "$work/many.rez")
input_bytes=$(stat -c %s "$many")
copies=$((report_bytes / input_bytes))
rest=$((report_bytes - copies * input_bytes))
cat_like_report() {
  {
    for ((c = 0; c < copies; ++c)); do cat "$many"; done
    head -c "$rest" "$many"
  } >"$work/cat.out"
}
cli_times=() cat_times=()
for ((k = 0; k < runs; ++k)); do
  rm -f "$work/cat.out" "$work/many.rez"
  cat_times+=("$(milliseconds cat_like_report)")
  rm -f "$work/cat.out"
  cli_times+=("$(milliseconds "$cli" --output "$work/many.rez" "$many")")
done
[[ $(stat -c %s "$work/many.rez") == "$report_bytes" ]]
t=$(printf '%s\n' "${cat_times[@]}" | median)
c=$(printf '%s\n' "${cli_times[@]}" | median)
echo "(ii) $((input_bytes / 1000000)) MB in, $((report_bytes / 1000000)) MB report: cat $t ms, passcat-cli $c ms: $(ratio "$c" "$t") times cat (target: at most 4)"
rm -f "$work/cat.out"
