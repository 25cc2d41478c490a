#!/usr/bin/env bash
# A route planned on a map has no heights: this rates one with the heights of an SRTM
# tile. The tile is made here (a ridge running north-south with a col at 43.5 N) in
# place of one downloaded, beside a GPX route over the col without elevations.
#   examples/terrain-heights.sh [PASSCAT_CLI] [FOLDER]
# Defaults: build/release/cli/passcat-cli, build/example/terrain-heights.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cli=${1:-$top/build/release/cli/passcat-cli}
work=${2:-$top/build/example/terrain-heights}
mkdir -p "$work/tiles"
cd "$work"

# N43E041.hgt: 1201 x 1201 big-endian 16-bit heights, rows from north to south, each
# from west to east (3 arc-seconds, 2 884 802 bytes).
perl -e '
  for $r (0 .. 1200) {
    print pack("n*", map {
      $ridge = exp(-(($_ - 600) / 220) ** 2);
      int(1400 + 1900 * $ridge - 700 * $ridge * exp(-(($r - 600) / 160) ** 2) + 0.5)
    } 0 .. 1200);
  }' >tiles/N43E041.hgt

# The route: 41 points from the valley west of the ridge over the col into the one east.
{
  echo '<?xml version="1.0" encoding="UTF-8"?>'
  echo '<gpx version="1.1" creator="passcat examples" xmlns="http://www.topografix.com/GPX/1/1">'
  echo '<rte><name>Через седловину</name>'
  for ((k = 0; k <= 40; ++k)); do
    printf '<rtept lat="%s" lon="%s"/>\n' "$(awk -v k=$k 'BEGIN { printf "%.6f", 43.56 - 0.003 * k }')" \
      "$(awk -v k=$k 'BEGIN { printf "%.6f", 41.25 + 0.0125 * k }')"
  done
  echo '</rte></gpx>'
} >planned-route.gpx

status=0
"$cli" --dem tiles --write-profile route-profile.txt -o rez.txt planned-route.gpx || status=$?
echo "passcat-cli exit status $status; the profile from the terrain ($work/route-profile.txt):"
cat route-profile.txt
echo "The report: $work/rez.txt"
