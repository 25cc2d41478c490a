#!/usr/bin/env bash
# Runs two passcat-cli binaries on the same cases and names every case where what they
# write parts: exit status, standard output and error, the report, the written profile,
# the other files left in the run's folder, and PNG charts (same bytes or same decoded
# pixels). SVG charts are not compared. For checking that a reshape changes no byte.
#
#   scripts/compare-outputs.sh [--real-tracks DIR] OLD_CLI NEW_CLI [WORKDIR]
#
# Cases: each golden case (tests/data/golden) and track case (tests/data/tracks) with its
# own arguments and files; each file of examples/ with the default options, passes.txt
# and two-passes.gpx also with PNG charts; each track file under the real-tracks folder
# (--real-tracks, else $PASSCAT_REAL_TRACKS, else ../shared/real-tracks beside the main
# checkout; skipped with a note when absent) with the default options and with
# "-w length --min-climb 50", both writing the profile. Both binaries run a case in the
# same folder, one after the other, so that messages naming paths are alike; the
# program's own path is written {cli} in its output. WORKDIR/cases (WORKDIR default: a
# new folder in $TMPDIR) is made afresh and keeps the cases that differ. Prints one line
# per differing case and "N passed, N failed"; exits 1 on any difference. Two cases run
# at a time; not one of the tests, as it reads ../shared.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
real=${PASSCAT_REAL_TRACKS:-}
if [[ ${1:-} == --real-tracks ]]; then real=$2; shift 2; fi
if [[ $# -lt 2 || $# -gt 3 || ! -x $1 || ! -x $2 ]]; then
    echo "usage: $0 [--real-tracks DIR] OLD_CLI NEW_CLI [WORKDIR]" >&2
    exit 2
fi
old=$(realpath "$1") new=$(realpath "$2")
work=$(realpath "${3:-$(mktemp -d "${TMPDIR:-/tmp}/passcat-compare.XXXXXX")}")
cases=$work/cases
rm -rf "$cases"
mkdir -p "$cases"
if [[ -z $real ]]; then # a worktree's main checkout is where its common .git folder is
    common=$(git -C "$repo" rev-parse --path-format=absolute --git-common-dir 2> /dev/null || echo "$repo/.git")
    real=$(dirname "$common")/../shared/real-tracks
fi

# A case is a folder: setup/ (copied to run/ before each run), args (each ended by a
# NUL, so empty arguments survive) and locale (LC_ALL of the run).
new_case() { # ID [LOCALE]: sets case_dir and dir, the folder both runs happen in
    case_dir=$cases/$1 dir=$cases/$1/run
    [[ -d $case_dir/setup ]] || mkdir -p "$case_dir/setup"
    echo "${2:-C}" > "$case_dir/locale"
}
save_args() { : > "$case_dir/args"; (($# == 0)) || printf '%s\0' "$@" > "$case_dir/args"; }

# golden or tracks, as tests/cli/golden_cases_test.cpp and tests/tracks/track_cases_test.cpp replay them
add_corpus() {
    local kind=$1 corpus locale inputs input lines args a
    for corpus in "$repo/tests/data/$kind"/*/; do
        corpus=${corpus%/} locale=C
        [[ ! -f $corpus/locale ]] || read -r locale < "$corpus/locale"
        new_case "$kind/${corpus##*/}" "$locale"
        inputs=("$corpus"/input.*) input=in.txt
        [[ $kind == golden ]] || input=${inputs[0]##*/}
        [[ ! -f $corpus/input ]] || cp "$corpus/input" "$case_dir/setup/in.txt"
        [[ ! -f $corpus/$input ]] || cp "$corpus/$input" "$case_dir/setup/"
        [[ ! -f $corpus/previous ]] || cp "$corpus/previous" "$case_dir/setup/rez.txt"
        [[ ! -f $corpus/previous-profile ]] || cp "$corpus/previous-profile" "$case_dir/setup/profile.txt"
        mapfile -t lines < "$corpus/args"
        args=()
        for a in "${lines[@]}"; do
            [[ -n $a || $kind == golden ]] || continue # the track replay skips empty lines
            a=${a//"{input}"/"$dir/$input"} a=${a//"{output}"/"$dir/rez.txt"}
            a=${a//"{profile}"/"$dir/profile.txt"}
            args+=("${a//"{dir}"/"$dir"}")
        done
        save_args "${args[@]}"
    done
}
add_corpus golden
add_corpus tracks

for example in "$repo"/examples/*; do
    name=${example##*/}
    new_case "examples/$name"
    cp "$example" "$case_dir/setup/"
    save_args "$name" # the report goes beside the input
    if [[ $name == passes.txt || $name == two-passes.gpx ]]; then
        new_case "examples/$name-png-charts"
        cp "$example" "$case_dir/setup/"
        save_args --charts charts --chart-format png "$name"
    fi
done

if [[ -d $real ]]; then # read where they are: nothing is written beside them
    mapfile -d '' tracks < <(find -L "$real" -type f \( -iname '*.gpx' -o -iname '*.kml' -o -iname '*.tcx' \
        -o -iname '*.plt' \) -print0 | sort -z)
    for track in "${tracks[@]}"; do # their folders made at once: a process each is slow on a busy machine
        printf '%s\0' "$cases/real/${track#"$real"/}"/{default,length-min-climb-50}/setup
    done | xargs -0 -r mkdir -p
    for track in "${tracks[@]}"; do
        id=real/${track#"$real"/}
        new_case "$id/default"
        save_args -o "$dir/rez.txt" --write-profile "$dir/profile.txt" "$track"
        new_case "$id/length-min-climb-50"
        save_args -w length --min-climb 50 -o "$dir/rez.txt" --write-profile "$dir/profile.txt" "$track"
    done
else
    echo "note: no real tracks at $real, skipped (--real-tracks DIR)"
fi

run_side() { # CASE_DIR SIDE CLI: one run in CASE_DIR/run, its results moved to CASE_DIR/SIDE*
    local case_dir=$1 side=$2 cli=$3 args locale status=0
    cp -a "$case_dir/setup" "$case_dir/run"
    mapfile -d '' args < "$case_dir/args"
    read -r locale < "$case_dir/locale"
    (cd "$case_dir/run" && LC_ALL=$locale exec timeout 600 "$cli" "${args[@]}") \
        < /dev/null > "$case_dir/$side.stdout" 2> "$case_dir/$side.stderr" || status=$?
    echo "$status" > "$case_dir/$side.status"
    mv "$case_dir/run" "$case_dir/$side"
}

same_pixels() { # PNG PNG: the same size, format and rows of pixels once decoded
    python3 - "$1" "$2" << 'EOF'
import struct, sys, zlib
def pixels(path):
    data = open(path, "rb").read()
    chunks, at = {}, 8
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        chunks[kind] = chunks.get(kind, b"") + data[at + 8:at + 8 + size]
        at += 12 + size
    width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"])
    if interlace:
        sys.exit(1)
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour]
    step, stride = max(1, channels * depth // 8), (width * channels * depth + 7) // 8
    raw, prior, rows = zlib.decompress(chunks[b"IDAT"]), bytearray(stride), []
    for y in range(height):
        kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if kind > 4:
            sys.exit(1)
        for i in range(stride):
            a, b = row[i - step] if i >= step else 0, prior[i]
            c = prior[i - step] if i >= step else 0
            p = a + b - c
            paeth = a if abs(p - a) <= min(abs(p - b), abs(p - c)) else b if abs(p - b) <= abs(p - c) else c
            row[i] = (row[i] + (0, a, b, (a + b) // 2, paeth)[kind]) & 255
        rows.append(bytes(row))
        prior = row
    return chunks[b"IHDR"], chunks.get(b"PLTE"), chunks.get(b"tRNS"), rows
sys.exit(pixels(sys.argv[1]) != pixels(sys.argv[2]))
EOF
}

compare_case() { # ID: runs both binaries and prints "ok" or what differs
    local id=${1#./} differs=() old_status new_status stream file list
    local case_dir=$cases/$id
    run_side "$case_dir" old "$old"
    run_side "$case_dir" new "$new"
    read -r old_status < "$case_dir/old.status"
    read -r new_status < "$case_dir/new.status"
    [[ $old_status == "$new_status" ]] || differs+=("status $old_status, now $new_status")
    [[ $new_status != 124 ]] || differs+=("timed out")
    for stream in stdout stderr; do # the program's own path written {cli} when they differ
        cmp -s "$case_dir/old.$stream" "$case_dir/new.$stream" ||
            { CLI=$old perl -0777 -pi -e 's/\Q$ENV{CLI}\E/{cli}/g' "$case_dir/old.$stream" &&
                CLI=$new perl -0777 -pi -e 's/\Q$ENV{CLI}\E/{cli}/g' "$case_dir/new.$stream" &&
                cmp -s "$case_dir/old.$stream" "$case_dir/new.$stream"; } || differs+=("$stream")
    done
    while IFS= read -r file; do
        if [[ ! -e $case_dir/old/$file || ! -e $case_dir/new/$file ]]; then
            differs+=("$file only in $([[ -e $case_dir/old/$file ]] && echo old || echo new)")
        elif ! cmp -s "$case_dir/old/$file" "$case_dir/new/$file" &&
            ! { [[ $file == *.png ]] && same_pixels "$case_dir/old/$file" "$case_dir/new/$file"; }; then
            case $file in
                rez.txt) differs+=("report") ;;
                profile.txt) differs+=("profile") ;;
                *) differs+=("$file") ;;
            esac
        fi
    done < <(cd "$case_dir" && find old new -type f ! -name '*.svg' -printf '%P\n' | sort -u)
    if ((${#differs[@]})); then
        printf -v list '%s, ' "${differs[@]}"
        echo "DIFFERS $id: ${list%, }"
    else
        rm -rf "$case_dir" # the reports of large tracks are large
        echo ok
    fi
}
export -f run_side same_pixels compare_case
export old new cases

for kind in golden tracks examples real; do
    printf '%s %s cases, ' "$kind" "$(find "$cases/$kind" -name args 2> /dev/null | wc -l)"
done
echo "each run by both binaries"
start=$SECONDS
results=$work/results.txt
# shellcheck disable=SC2016 # $@ is the inner shell's
(cd "$cases" && find . -name args -printf '%h\0' | sort -z) |
    xargs -0 -P2 -n8 bash -c 'for id; do compare_case "$id"; done' _ > "$results"
grep '^DIFFERS ' "$results" | sed 's/^DIFFERS //' | sort || true
passed=$(grep -c '^ok$' "$results" || true) failed=$(grep -c '^DIFFERS ' "$results" || true)
echo "$passed passed, $failed failed ($((SECONDS - start)) s; the differing cases are kept in $cases)"
((failed == 0))
