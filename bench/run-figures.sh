#!/usr/bin/env bash
# Times passcat-cli on the two largest kinds of input beside their yardsticks and
# prints the medians and ratios:
#   (i)  one block of 32767 points, beside the plain surface loop that sums one point
#        after the other on one thread (bench/plain_surface_loop.cpp);
#   (ii) about 200 MB of 20-point blocks, beside cat reading the input and writing a
#        file exactly as large as the report;
#   (iii) an 80 MB GPX file of 800 000 points in 20 tracks, beside gpsbabel converting
#        it (installed here with apt-get when missing), and the peak memory of a run;
#   (iv) the trip report's document of 200 blocks, as PDF and ODT, beside the plain run;
#   (v)  a track of 200 000 points without elevations given the heights of four SRTM
#        tiles of 3601 x 3601 (made here by perl) with --dem, beside the same track with
#        its own elevations and no --dem, with the peak memory of each.
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
cmake --build "$build" --target passcat-cli passcat-bench-plain-loop passcat-bench-profiles passcat-bench-tracks \
  passcat-bench-peak-memory >/dev/null

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

# (iii) GPS tracks: 80 MB of GPX, 20 tracks of 40 000 points, beside gpsbabel reading
# it and writing its waypoints as CSV; then the peak memory of runs on tracks of
# 100, 40 000 (twenty of them) and 800 000 points.
if ! command -v gpsbabel >/dev/null; then
  echo "== installing gpsbabel, the yardstick of (iii)"
  sudo_cmd=()
  [[ $(id -u) -eq 0 ]] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends gpsbabel >/dev/null
fi
gpx=$work/tracks-20x40000.gpx
one=$work/track-1x800000.gpx
small=$work/track-1x100.gpx
[[ -s $gpx ]] || "$build/bench/passcat-bench-tracks" 20 40000 "$gpx"
[[ -s $one ]] || "$build/bench/passcat-bench-tracks" 1 800000 "$one"
[[ -s $small ]] || "$build/bench/passcat-bench-tracks" 1 100 "$small"
cli_times=() babel_times=()
for ((k = 0; k < runs; ++k)); do
  babel_times+=("$(milliseconds gpsbabel -i gpx -f "$gpx" -o unicsv -F "$work/gpsbabel.csv")")
  cli_times+=("$(milliseconds "$cli" --output "$work/tracks.rez" "$gpx")")
done
b=$(printf '%s\n' "${babel_times[@]}" | median)
c=$(printf '%s\n' "${cli_times[@]}" | median)
echo "(iii) $(($(stat -c %s "$gpx") / 1000000)) MB of GPX, 800 000 points: gpsbabel $b ms, passcat-cli $c ms:" \
  "$(ratio "$c" "$b") of gpsbabel's time (target: at most 0.25)"
# Peak memory and processor time (user and system), which other work on the machine
# does not change as it changes the wall-clock times.
peak=$build/bench/passcat-bench-peak-memory
read -r base _ < <("$peak" "$cli" --output "$work/small.rez" "$small")
read -r twenty cli_cpu < <("$peak" "$cli" --output "$work/tracks.rez" "$gpx")
read -r single _ < <("$peak" "$cli" --output "$work/one.rez" "$one")
read -r _ babel_cpu < <("$peak" gpsbabel -i gpx -f "$gpx" -o unicsv -F "$work/gpsbabel.csv")
echo "(iii) processor time: gpsbabel $babel_cpu ms, passcat-cli $cli_cpu ms"
per_point() { awk -v a="$1" -v b="$base" -v n="$2" 'BEGIN { printf "%.0f", (a - b) * 1024 / n }'; }
echo "(iii) peak memory: 100 points $base KB; 20 x 40 000 points $twenty KB, $(per_point "$twenty" 40000) bytes" \
  "a point of the largest track; 800 000 points $single KB, $(per_point "$single" 800000) bytes a point" \
  "(target: about 64)"

# (iv) the trip report's document of 200 blocks of 20 points (a page each), as PDF
# and as ODT, beside the plain run of the same input, with peak memory.
trip=$work/blocks-200.txt
[[ -s $trip ]] || head -n 4400 "$many" >"$trip"
plain_times=() pdf_times=() odt_times=()
for ((k = 0; k < runs; ++k)); do
  plain_times+=("$(milliseconds "$cli" --output "$work/trip.rez" "$trip")")
  pdf_times+=("$(milliseconds "$cli" --output "$work/trip.rez" --document "$work/trip.pdf" "$trip")")
  odt_times+=("$(milliseconds "$cli" --output "$work/trip.rez" --document "$work/trip.odt" "$trip")")
done
p=$(printf '%s\n' "${plain_times[@]}" | median)
d=$(printf '%s\n' "${pdf_times[@]}" | median)
o=$(printf '%s\n' "${odt_times[@]}" | median)
read -r pdf_memory pdf_cpu < <("$peak" "$cli" --output "$work/trip.rez" --document "$work/trip.pdf" "$trip")
read -r odt_memory odt_cpu < <("$peak" "$cli" --output "$work/trip.rez" --document "$work/trip.odt" "$trip")
echo "(iv) 200 blocks: plain run $p ms; PDF $d ms (processor $pdf_cpu ms, peak $pdf_memory KB, target: under 2 s);" \
  "ODT $o ms (processor $odt_cpu ms, peak $odt_memory KB, target: under 1 s)"

# (v) terrain heights. The tiles around 43 N 42 E, where the generated tracks start and
# wander into all four, are made once: smooth hills, continuous from tile to tile.
tiles=$work/tiles
own=$work/track-1x200000.gpx
route=$work/track-1x200000-no-elevations.gpx
[[ -s $own ]] || "$build/bench/passcat-bench-tracks" 1 200000 "$own"
[[ -s $route ]] || "$build/bench/passcat-bench-tracks" 1 200000 "$route" no-elevations
mkdir -p "$tiles"
for corner in "42 41" "42 42" "43 41" "43 42"; do
  read -r lat lon <<<"$corner"
  tile=$tiles/N${lat}E0$lon.hgt
  [[ -s $tile ]] || perl -e '
    ($n, $lat0, $lon0) = @ARGV;
    for $r (0 .. $n - 1) {
      $row = 1800 + 700 * sin(($lat0 + 1 - $r / ($n - 1)) * 37);
      print pack("n*", map { int($row + 250 * sin(($lon0 + $_ / ($n - 1)) * 53)) } 0 .. $n - 1);
    }' 3601 "$lat" "$lon" >"$tile"
done
own_times=() dem_times=()
for ((k = 0; k < runs; ++k)); do
  own_times+=("$(milliseconds "$cli" --output "$work/own.rez" "$own")")
  dem_times+=("$(milliseconds "$cli" --dem "$tiles" --output "$work/dem.rez" "$route")")
done
o=$(printf '%s\n' "${own_times[@]}" | median)
d=$(printf '%s\n' "${dem_times[@]}" | median)
echo "(v) 200 000 points: own elevations $o ms, heights from four 3601 tiles $d ms: $(ratio "$d" "$o") times" \
  "(target: at most 1.5)"
read -r own_peak own_cpu < <("$peak" "$cli" --output "$work/own.rez" "$own")
read -r dem_peak dem_cpu < <("$peak" "$cli" --dem "$tiles" --output "$work/dem.rez" "$route")
echo "(v) processor time: own elevations $own_cpu ms, tiles $dem_cpu ms; peak memory: own elevations $own_peak KB," \
  "tiles $dem_peak KB (target: under 150 MB)"
