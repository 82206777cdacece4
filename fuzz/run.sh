#!/usr/bin/env bash
# Runs the fuzz targets of a fuzz build, each on its own corpus, and fails on the first crash.
#   fuzz/run.sh [--smoke] BUILD SECONDS [RUNS] [TARGET ...]
# Each target runs for SECONDS or RUNS executions (-1: no bound), whichever ends first. Its
# corpus starts from the seeds its "// Seeds:" line names: entries of BUILD/bin/game.dat
# (patterns over the entry paths) and "@archives", small 7z archives packed here with 7zz, and
# the files of fuzz/corpus/TARGET where there is one. A target's "// Malloc limit: N MB" line
# makes an allocation of N MB or more a crash: N near what an honest input may take. Its
# "// Timeout: N s" line, which every target has, makes an input that takes N s or more a
# crash, so that work growing faster than the input is found. A "// Max length: N bytes" line
# lets inputs grow to N bytes at once instead of libFuzzer's few KiB, raised slowly: long enough,
# within one run, for a text's slow paths.
# What a run finds is kept in BUILD/fuzz-corpus/TARGET; a crashing input in BUILD/fuzz-crashes.
# --smoke starts from the seeds alone and keeps nothing: a quick check that nothing crashes.
set -euo pipefail

smoke=false
if [[ ${1:-} == --smoke ]]; then
    smoke=true
    shift
fi

build=$(cd "$1" && pwd)
seconds=$2
runs=${3:--1}
shift $(( $# >= 3 ? 3 : 2 ))
here=$(cd "$(dirname "$0")" && pwd)
crashes=$build/fuzz-crashes
mkdir -p "$crashes"
# The entries of the built game data, unpacked afresh, and the small archives; one folder per
# run, so that runs side by side do not meet.
seeds=$(mktemp -d "$build/fuzz-seeds.XXXXXX")
trap 'rm -rf "$seeds"' EXIT
mkdir -p "$seeds/gamedat" "$seeds/archives"
7zz x -y -bd -bso0 -bsp0 "-o$seeds/gamedat" "$build/bin/game.dat" >/dev/null
pack() {  # pack NAME CODER FILE...: an archive of the files, one folder each
    local name=$1 coder=$2
    shift 2
    (cd "$seeds/archive-source" && 7zz a -bso0 -bsp0 -t7z "-m0=$coder" -ms=off -mtm=off -mtc=off -mta=off \
        "$seeds/archives/$name.7z" "$@" >/dev/null)
}
mkdir -p "$seeds/archive-source/dir"
printf 'key=value\r\nother=1\r\n' >"$seeds/archive-source/a.txt"
head -c 600 /dev/zero | tr '\0' 'x' >"$seeds/archive-source/dir/b.bin"
: >"$seeds/archive-source/empty"
cp "$seeds/gamedat/keys.txt" "$seeds/archive-source/keys.txt"
pack lzma LZMA a.txt dir keys.txt
pack copy Copy a.txt dir/b.bin empty
pack one LZMA a.txt

targets=("$@")
if [[ ${#targets[@]} -eq 0 ]]; then
    for source in "$here"/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

# One target: its corpus filled with its seeds, then the run; its report goes to its own file.
run_target() {
    local target=$1 corpus=$build/fuzz-corpus/$1 log=$build/fuzz-$1.log started=$SECONDS
    # A smoke run keeps neither its corpus nor its log: a long run's log beside it stays whole.
    $smoke && corpus=$seeds/corpus-$target log=$seeds/fuzz-$target.log
    mkdir -p "$corpus"
    local patterns
    read -ra patterns <<<"$(sed -n 's|^// Seeds:||p' "$here/$target.cpp")"
    for pattern in "${patterns[@]}"; do
        if [[ $pattern == @archives ]]; then
            cp "$seeds"/archives/*.7z "$corpus/"
            continue
        fi
        (cd "$seeds/gamedat" && find . -type f -path "./$pattern") | while read -r entry; do
            cp "$seeds/gamedat/$entry" "$corpus/$(echo "${entry#./}" | tr / _)"
        done
    done
    # Inputs of a shape no entry has (a map with its size in front) are kept in fuzz/corpus/TARGET.
    if [[ -d $here/corpus/$target ]]; then cp "$here/corpus/$target"/* "$corpus/"; fi
    local limit timeout length note=""
    limit=$(sed -n 's|^// Malloc limit: \([0-9]*\) MB.*|\1|p' "$here/$target.cpp")
    timeout=$(sed -n 's|^// Timeout: \([0-9]*\) s.*|\1|p' "$here/$target.cpp")
    length=$(sed -n 's|^// Max length: \([0-9]*\) bytes.*|\1|p' "$here/$target.cpp")
    if [[ -z $timeout ]]; then
        echo "fuzz/$target.cpp has no \"// Timeout: N s\" line"
        return 1
    fi
    if [[ -n $limit ]]; then note=", no allocation of $limit MB or more"; fi
    if [[ -n $length ]]; then note+=", inputs up to $length bytes"; fi
    echo "== fuzz_$target: ${seconds} s, ${runs} runs at most, $(ls "$corpus" | wc -l) inputs to start from," \
        "$timeout s an input$note"
    if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -runs="$runs" -timeout="$timeout" -rss_limit_mb=2048 \
        ${limit:+-malloc_limit_mb=$limit} ${length:+-max_len=$length -len_control=0} -print_final_stats=1 \
        -artifact_prefix="$crashes/$target-" "$corpus" 2>"$log"; then
        tail -60 "$log"
        echo "fuzz_$target crashed; the input is in $crashes"
        return 1
    fi
    sed -n 's/^stat::number_of_executed_units: *\([0-9]*\)/\1 executions/p; s/^stat::peak_rss_mb: *\([0-9]*\)/\1 MB at most/p' \
        "$log" | tr '\n' ' '
    echo "in $((SECONDS - started)) s, no crash"
}

# FUZZ_PARALLEL targets run side by side (1 by default); each one's report is shown whole.
parallel=${FUZZ_PARALLEL:-1}
failed=0
pending=()
finish_oldest() {
    local target=${pending[0]}
    wait "${pids[$target]}" || failed=1
    cat "$seeds/report-$target"
    pending=("${pending[@]:1}")
}
declare -A pids
for target in "${targets[@]}"; do
    run_target "$target" >"$seeds/report-$target" 2>&1 &
    pids[$target]=$!
    pending+=("$target")
    if (( ${#pending[@]} >= parallel )); then finish_oldest; fi
done
while (( ${#pending[@]} > 0 )); do finish_oldest; done
exit $failed
