#!/usr/bin/env bash
# Rewrites the recorded outputs of every case (or of the cases named) from a run of
# passcat-cli, as tests/tracks/track_cases_test.cpp replays them. Look at every
# changed file before committing it: the recorded files are the expected behaviour.
#   tests/data/tracks/regenerate.sh CLI [CASE...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "$1")
shift
cases=("$@")
((${#cases[@]})) || mapfile -t cases < <(find "$here" -mindepth 1 -maxdepth 1 -type d -printf '%f\n' | sort)
for name in "${cases[@]}"; do
  case=$here/$name
  dir=$(mktemp -d)
  input=$(cd "$case" && ls input.*)
  cp "$case/$input" "$dir/"
  [[ -f $case/previous ]] && cp "$case/previous" "$dir/rez.txt"
  [[ -f $case/previous-profile ]] && cp "$case/previous-profile" "$dir/profile.txt"
  args=()
  while IFS= read -r line; do
    line=${line//\{input\}/$dir/$input}
    line=${line//\{output\}/$dir/rez.txt}
    args+=("${line//\{profile\}/$dir/profile.txt}")
  done <"$case/args"
  status=0
  (cd "$dir" && LC_ALL=C "$cli" "${args[@]}" >"$dir/.stdout" 2>"$dir/.stderr") || status=$?
  echo "$status" >"$case/status"
  sed "s|$dir|{dir}|g" "$dir/.stdout" >"$case/stdout"
  sed "s|$dir|{dir}|g" "$dir/.stderr" >"$case/stderr"
  rm -f "$case/report" "$case/profile"
  if [[ ! -f $case/previous ]] || ! cmp -s "$case/previous" "$dir/rez.txt"; then
    [[ -f $dir/rez.txt ]] && cp "$dir/rez.txt" "$case/report"
  fi
  if [[ ! -f $case/previous-profile ]] || ! cmp -s "$case/previous-profile" "$dir/profile.txt"; then
    [[ -f $dir/profile.txt ]] && cp "$dir/profile.txt" "$case/profile"
  fi
  rm -rf "$dir"
  echo "$name: status $status"
done
