#!/usr/bin/env bash
# Rewrites the expected files (status, stdout, stderr, report or report.sha256) of the
# golden cases from the given passcat-cli, exactly as golden_cases_test runs it:
# in a fresh folder that is also the working directory, input at {dir}/in.txt, result
# at {dir}/rez.txt, LC_ALL from the case's "locale" file or C. Only for when the
# behaviour is meant to change: review the diff before committing it.
#
#   tests/data/golden/regenerate.sh PASSCAT_CLI [CASE...]     (no CASE: every case)
set -euo pipefail

if [[ $# -lt 1 || ! -x $1 ]]; then
    echo "usage: $0 PASSCAT_CLI [CASE...]" >&2
    exit 2
fi
cli=$(realpath "$1")
shift
corpus=$(cd "$(dirname "$0")" && pwd)
if [[ $# -eq 0 ]]; then
    set -- $(cd "$corpus" && for d in */args; do echo "${d%/args}"; done)
fi
# Reports larger than this are pinned by their SHA-256 instead of their bytes.
largest_report=1048576

for name in "$@"; do
    case_dir=$corpus/$name
    [[ -f $case_dir/args ]] || { echo "no case $name" >&2; exit 2; }
    scratch=$(mktemp -d)
    [[ -f $case_dir/input ]] && cp "$case_dir/input" "$scratch/in.txt"
    [[ -f $case_dir/previous ]] && cp "$case_dir/previous" "$scratch/rez.txt"
    locale=C
    [[ -f $case_dir/locale ]] && locale=$(<"$case_dir/locale")
    args=()
    mapfile -t lines < "$case_dir/args"
    for a in "${lines[@]+"${lines[@]}"}"; do
        a=${a//"{input}"/"$scratch/in.txt"}
        a=${a//"{output}"/"$scratch/rez.txt"}
        a=${a//"{dir}"/"$scratch"}
        args+=("$a")
    done
    status=0
    (cd "$scratch" && exec env LC_ALL="$locale" "$cli" "${args[@]+"${args[@]}"}") \
        > "$scratch.stdout" 2> "$scratch.stderr" || status=$?
    echo "$status" > "$case_dir/status"
    for stream in stdout stderr; do
        C=$cli D=$scratch perl -0777 -pe 's/\Q$ENV{C}\E/{cli}/g; s/\Q$ENV{D}\E/{dir}/g' \
            "$scratch.$stream" > "$case_dir/$stream"
    done
    rm -f "$case_dir/report" "$case_dir/report.sha256"
    if [[ -f $scratch/rez.txt ]]; then
        if (( $(stat -c %s "$scratch/rez.txt") > largest_report )); then
            sha256sum < "$scratch/rez.txt" | cut -d' ' -f1 > "$case_dir/report.sha256"
        else
            cp "$scratch/rez.txt" "$case_dir/report"
        fi
    fi
    leftovers=$(cd "$scratch" && ls -A | grep -v -x -e in.txt -e rez.txt || true)
    [[ -z $leftovers ]] || echo "$name: the run left $leftovers behind" >&2
    rm -rf "$scratch" "$scratch.stdout" "$scratch.stderr"
    echo "$name: status $status"
done
