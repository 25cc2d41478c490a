#!/usr/bin/env bash
# Tests the Windows release that scripts/build-windows.sh made, under wine with a
# Russian locale: the Windows test programs, the golden cases with the bundle's
# passcat-cli.exe, the disk full, a run stopped part-way, its messages on a console,
# the window under Xvfb, and the installer (silent install into a scratch folder, a
# run of the installed program, silent uninstall).
# Usage: bash scripts/test-windows.sh [PART...]   (parts: unit golden faults stopped console window installer)
set -euo pipefail
shopt -s inherit_errexit

top=$(cd "$(dirname "$0")/.." && pwd)
out=$top/build/windows
scratch=$out/test
export WINEPREFIX=$scratch/wine
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/build/CMakeCache.txt")
bundle=$out/passcat-$version-windows-x64
setup=$out/passcat-$version-setup.exe
failures=0

stage() {
  local name=$1 started=$SECONDS
  shift
  echo "== $name"
  if "$@"; then
    echo "== $name: passed, $((SECONDS - started)) s"
  else
    echo "== $name: FAILED, $((SECONDS - started)) s"
    failures=$((failures + 1))
  fi
}

# A program of the bundle under wine, from a Unix working folder (drive Z:, so that
# absolute Unix paths name the same files).
bundle_run() {
  "$top/scripts/wine-run.sh" "" "$@"
}

# An X server for wine's windows, as DISPLAY; its process in xvfb.
start_display() {
  export DISPLAY=:$((90 + RANDOM % 100))
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  sleep 2
}

# One wine server for a part's many programs. A server started anew may hand the first
# program that loads user32 regional settings of the locale before: one of its own.
start_wine_server() {
  wineserver -k 2>/dev/null || true
  wineserver -w
  wineserver -p
  bundle_run rundll32.exe user32.dll,GetMessagePos >/dev/null 2>&1 || true
}

stop_wine_server() {
  wineserver -k
  wineserver -w
}

# ctest over the Windows build tree, with wine's English regional settings.
unit_tests() {
  PASSCAT_WINE_LOCALE=C.UTF-8 ctest --test-dir "$out/build" --output-on-failure --timeout 600 "$@"
}

# The test programs of the Windows build tree, through ctest and scripts/wine-run.sh,
# the window's on the display. The golden cases run below, by the bundle's program;
# the fault injection is Linux's.
# Wine's own errors of a program's start and of its crashes are shown with its output.
# Wine has once ended a test program before it wrote a line, in a CI run: a test that
# fails is run once more, and named, so that only one that fails twice fails the part.
unit() {
  local status=0
  start_display
  start_wine_server
  export WINEDEBUG=-all,err+module,err+seh
  unit_tests -E '^(GoldenCase|Corpus/GoldenCase)|hardening' -LE hardening || status=$?
  if ((status != 0)); then
    echo "unit: once more: $(cut -d: -f2 "$out/build/Testing/Temporary/LastTestsFailed.log" | tr '\n' ' ')"
    status=0
    unit_tests --rerun-failed || status=$?
  fi
  unset WINEDEBUG
  stop_wine_server
  kill "$xvfb" 2>/dev/null || true
  return $status
}

# Each golden case replayed by the bundle's passcat-cli.exe, compared byte for byte,
# with the case's locale as the regional settings (C.UTF-8 where the case names none:
# wine's English, with arguments read as UTF-8).
# tests/data/golden-windows/<case>/ holds what Windows must write otherwise (same
# file names as the case's own, or the report's encoding in `encoding`), with its
# reason in WHY.
golden() {
  local golden=$top/tests/data/golden differences=$top/tests/data/golden-windows
  local cases=0 failed=0 case_dir name dir windows_dir line status what expected locale
  local -a arguments
  start_wine_server
  for case_dir in "$golden"/*/; do
    name=$(basename "$case_dir")
    cases=$((cases + 1))
    dir=$scratch/golden/$name
    rm -rf "$dir"
    mkdir -p "$dir"
    windows_dir=$(winepath -w "$dir" 2>/dev/null | tr '\\' /)
    [[ -f $case_dir/input ]] && cp "$case_dir/input" "$dir/in.txt"
    [[ -f $case_dir/previous ]] && cp "$case_dir/previous" "$dir/rez.txt"
    arguments=()
    if [[ -s $case_dir/args ]]; then
      while IFS= read -r line || [[ -n $line ]]; do
        line=${line//\{input\}/$windows_dir/in.txt}
        line=${line//\{output\}/$windows_dir/rez.txt}
        arguments+=("${line//\{dir\}/$windows_dir}")
      done <"$case_dir/args"
    fi
    status=0
    locale=C.UTF-8
    [[ -s $case_dir/locale ]] && locale=$(<"$case_dir/locale")
    (cd "$dir" && PASSCAT_WINE_LOCALE=$locale bundle_run "$bundle/passcat-cli.exe" "${arguments[@]}" >"$scratch/stdout" 2>"$scratch/stderr") || status=$?
    echo "$status" >"$scratch/status"
    [[ -f $dir/rez.txt ]] && cp "$dir/rez.txt" "$scratch/report"
    for what in status stdout stderr report; do
      expected=$case_dir/$what
      [[ -f $differences/$name/$what ]] && expected=$differences/$name/$what
      [[ -f $expected ]] || continue
      if [[ $what == report && -s $differences/$name/encoding ]]; then
        iconv -f UTF-8 -t "$(<"$differences/$name/encoding")" "$expected" >"$scratch/expected-report"
        expected=$scratch/expected-report
      fi
      if [[ $what == stdout || $what == stderr ]]; then
        sed -e "s|$(sed 's/[\\|&.]/\\&/g' <<<"$windows_dir")|{dir}|g" \
            -e "s|$(sed 's/[\\|&.]/\\&/g' <<<"$(winepath -w "$bundle/passcat-cli.exe")")|{cli}|g" \
            "$scratch/$what" >"$scratch/$what.normal"
        mv "$scratch/$what.normal" "$scratch/$what"
      fi
      if ! cmp -s "$expected" "$scratch/$what"; then
        echo "golden $name: $what differs"
        diff <(cat -A "$expected" | head -c 2000) <(cat -A "$scratch/$what" | head -c 2000) | head -n 6 || true
        failed=$((failed + 1))
        break
      fi
    done
    rm -f "$scratch/report"
  done
  stop_wine_server
  echo "golden: $((cases - failed)) of $cases cases as expected"
  ((failed == 0))
}

# The window: its caption under Xvfb, a screenshot, and a file evaluated in it.
window() {
  local shot=$out/window.png result=0
  start_display
  bundle_run "$bundle/passcat.exe" >/dev/null 2>&1 &
  local program=$!
  local caption="Рассчет категории трудности горного препятствия" found=""
  for _ in $(seq 60); do
    if xwininfo -root -tree 2>/dev/null | grep -qF "\"$caption\""; then
      found=yes
      break
    fi
    sleep 1
  done
  if [[ -n $found ]]; then
    sleep 2
    import -window root "$shot"
    echo "window: caption \"$caption\" shown; screenshot $shot"
  else
    echo "window: no window captioned \"$caption\""
    result=1
  fi
  kill "$program" 2>/dev/null || true
  WINEPREFIX=$WINEPREFIX wineserver -k 2>/dev/null || true
  # A file evaluated as "Рассчитать" does, the results window saved as a picture.
  local results=$scratch/results.png
  rm -f "$results"
  cp "$top/tests/data/golden/worked-example-ascii/input" "$scratch/profile.txt" 2>/dev/null \
    || cp "$(ls "$top"/tests/data/golden/*/input | head -n 1)" "$scratch/profile.txt"
  if PASSCAT_RESULTS_SNAPSHOT=$(winepath -w "$results") \
      bundle_run "$bundle/passcat.exe" "$(winepath -w "$scratch/profile.txt")" >/dev/null 2>&1 \
      && [[ -s $results ]]; then
    cp "$results" "$out/results-window.png"
    echo "window: a profile evaluated; results window $out/results-window.png"
  else
    echo "window: evaluating a profile in the window failed"
    result=1
  fi
  kill "$xvfb" 2>/dev/null || true
  return $result
}

# The disk full under wine, made as Linux's fault tests make it: the result on a file
# system of 64 KiB mounted for these programs alone. The report outgrows it part-way,
# or finds it full from the start; either way one message and status 2, the previous
# result whole, and no other file left there.
faults() {
  local dir=$scratch/faults k
  if ! unshare -m --propagation private true 2>/dev/null; then
    echo "faults: no mount namespace to be had here; not run"
    return 0
  fi
  rm -rf "$dir" && mkdir -p "$dir/small"
  for ((k = 0; k < 200; ++k)); do cat "$top/tests/data/golden/example-passes/input"; done >"$dir/in.txt"
  wineserver -k 2>/dev/null || true
  wineserver -w
  # shellcheck disable=SC2016 # expanded by the inner shell
  unshare -m --propagation private bash -c '
    cd "$1" && mount -t tmpfs -o size=64k tmpfs small || exit 1
    failed=0
    for full in "part-way" "from the start"; do
      rm -f small/*
      printf "old result\r\n" >small/rez.txt
      [[ $full == "from the start" ]] && { head -c 1M /dev/zero >small/filler 2>/dev/null || true; }
      before=$(ls small)
      status=0
      "$2/scripts/wine-run.sh" "" "$3/passcat-cli.exe" -o small/rez.txt in.txt >/dev/null 2>errors.txt || status=$?
      message=$(tr -d "\r" <errors.txt)
      if ((status != 2)) || [[ $(wc -l <errors.txt) != 1 || $message != "passcat-cli: Ошибка: не удалось записать файл результата "*"на диске нет места"* ]] \
        || [[ $(cat small/rez.txt) != $(printf "old result\r\n") || $(ls small) != "$before" ]]; then
        echo "faults: disk full $full: status $status, \"$message\", left: $(ls small | tr "\n" " ")"
        failed=1
      else
        echo "faults: disk full $full: \"$message\"; the old result whole, nothing left"
      fi
    done
    wineserver -k 2>/dev/null
    wineserver -w
    exit $failed
  ' faults "$dir" "$top" "$bundle"
}

# A run ended from outside while it writes its result, by Ctrl+C and as Task Manager
# ends a program: the previous result stays whole and its temporary file goes with it.
stopped() {
  local dir=$scratch/stopped how program status k seen failed=0
  rm -rf "$dir" && mkdir -p "$dir"
  # 65536 copies of the example: a run of a second or so, writing as it goes.
  cp "$top/tests/data/golden/example-passes/input" "$dir/in.txt"
  for ((k = 0; k < 16; ++k)); do cat "$dir/in.txt" "$dir/in.txt" >"$dir/twice" && mv "$dir/twice" "$dir/in.txt"; done
  start_wine_server
  for how in INT KILL; do
    printf "old result\r\n" >"$dir/rez.txt"
    (cd "$dir" && exec "$top/scripts/wine-run.sh" "" "$bundle/passcat-cli.exe" -o rez.txt in.txt >/dev/null 2>&1) &
    program=$!
    # Frozen while it is looked at, so that it cannot finish between the look and the end.
    seen=no
    for ((k = 0; k < 600; ++k)); do
      kill -STOP "$program"
      while [[ $(sed 's/.*) //' "/proc/$program/stat" 2>/dev/null | cut -c1) == [RSD] ]]; do sleep 0.001; done
      [[ -n $(find "$dir" -name 'rez.txt.*' -size +0) ]] && { seen=yes; break; }
      kill -CONT "$program"
      sleep 0.05
    done
    kill -"$how" "$program"
    kill -CONT "$program" 2>/dev/null || true
    status=0
    { wait "$program"; } 2>/dev/null || status=$?
    # Wine's server closes what the program held a moment after its end.
    for ((k = 0; k < 50; ++k)); do
      [[ $(ls "$dir") == $'in.txt\nrez.txt' ]] && break
      sleep 0.1
    done
    if ((status == 0)) || [[ $seen == no || $(cat "$dir/rez.txt") != $(printf "old result\r\n") || $(ls "$dir") != $'in.txt\nrez.txt' ]]; then
      echo "stopped: SIG$how: seen writing: $seen, status $status, left: $(ls "$dir" | tr "\n" " ")"
      failed=1
    else
      echo "stopped: SIG$how part-way (status $status): the old result whole, nothing left"
    fi
  done
  stop_wine_server
  rm -rf "$dir"
  return $failed
}

# Messages in Russian on a console (wine makes a terminal one), and as UTF-8 bytes when
# redirected, as the manual says.
console() {
  local expected="passcat-cli: Ошибка: не найден файл no-such-file.txt" shown redirected
  shown=$(cd "$scratch" && script -qec "$top/scripts/wine-run.sh '' '$bundle/passcat-cli.exe' no-such-file.txt" /dev/null \
    | sed 's/\x1b\[[0-9;?]*[A-Za-z]//g' | tr -d '\r') || true
  redirected=$(cd "$scratch" && bundle_run "$bundle/passcat-cli.exe" no-such-file.txt 2>&1 >/dev/null | tr -d '\r') || true
  # The terminal may move its cursor over a blank instead of writing one.
  if [[ ${shown// /} != *"${expected// /}"* ]]; then
    echo "console: shown \"$shown\", not \"$expected\""
    return 1
  fi
  if [[ $redirected != "$expected" ]]; then
    echo "console: redirected \"$redirected\", not \"$expected\""
    return 1
  fi
  echo "console: the message reads right on a console and redirected"
}

# Silent install into a scratch folder, a run of the installed program, silent
# uninstall: no program file may stay.
installer() {
  local folder=$scratch/installed
  rm -rf "$folder"
  bundle_run "$setup" /S "/D=$(winepath -w "$folder")"
  wineserver -w
  local expected actual
  expected=$(cd "$bundle" && find . -type f | sort)
  actual=$(cd "$folder" && find . -type f ! -name uninstall.exe | sort)
  if [[ $expected != "$actual" ]]; then
    echo "installer: the installed files differ from the bundle's"
    diff <(echo "$expected") <(echo "$actual") | head
    return 1
  fi
  [[ -f $folder/uninstall.exe ]] || { echo "installer: no uninstaller"; return 1; }
  # A golden case that Windows writes as Linux does, in its settings (C: wine's English).
  local case_dir=$top/tests/data/golden/example-passes
  rm -rf "$scratch/run" && mkdir -p "$scratch/run"
  cp "$case_dir/input" "$scratch/run/in.txt"
  (cd "$scratch/run" && PASSCAT_WINE_LOCALE=C.UTF-8 bundle_run "$folder/passcat-cli.exe" in.txt >/dev/null 2>&1) || true
  if ! cmp -s "$case_dir/report" "$scratch/run/rez.txt"; then
    echo "installer: the installed passcat-cli.exe did not write the expected report"
    return 1
  fi
  echo "installer: installed; the installed passcat-cli.exe wrote the expected report"
  bundle_run "$folder/uninstall.exe" /S
  wineserver -w
  if [[ -n $(find "$folder" -type f 2>/dev/null) ]]; then
    echo "installer: left after uninstalling:"
    find "$folder" -type f | head
    return 1
  fi
  echo "installer: uninstalled; no program file left"
}

# All of it in one function, called on the last line with the exit after it: bash reads
# that line whole before it runs, so a script edited while it runs goes on as it was.
main() {
  local started=$SECONDS part name
  mkdir -p "$scratch"
  bundle_run cmd /c exit 0 >/dev/null 2>&1
  for part in "${@:-unit golden faults stopped console window installer}"; do
    for name in $part; do
      stage "$name" "$name"
    done
  done
  echo "== all: $((SECONDS - started)) s, $failures part(s) failed"
  ((failures == 0))
}

main "$@"; exit
