#!/bin/sh
# Builds the libFuzzer targets of tools/fuzz with clang (build/fuzz) and runs each
# for a set time, starting from its seed corpus in tools/fuzz/corpus/<target>.
#   scripts/fuzz.sh [seconds-per-target] [target...]     default: 180 s, every target
# New inputs go to build/fuzz/corpus/<target> (kept between runs, never committed);
# a crash or a failed check leaves its input in build/fuzz/artifacts and makes the
# script fail. Prints one line per target: runs, new inputs, result.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT="$ROOT/build/fuzz"
SECONDS_EACH=${1:-180}
[ $# -gt 0 ] && shift

GENERATOR=""
command -v ninja >/dev/null 2>&1 && GENERATOR="-G Ninja"
# shellcheck disable=SC2086
CC=clang CXX=clang++ cmake -S "$ROOT" -B "$OUT" $GENERATOR -DKELO_FUZZ=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$OUT" >/dev/null

TARGETS="$*"
if [ -z "$TARGETS" ]; then
    TARGETS=$(cd "$ROOT/tools/fuzz" && ls ./*_fuzz.cpp | sed 's|^\./||; s|\.cpp$||')
fi

mkdir -p "$OUT/artifacts"
status=0
total=0
for target in $TARGETS; do
    corpus="$OUT/corpus/$target"
    seeds="$ROOT/tools/fuzz/corpus/$target"
    mkdir -p "$corpus" "$seeds"
    log="$OUT/$target.log"
    if "$OUT/tools/fuzz/$target" -max_total_time="$SECONDS_EACH" -print_final_stats=1 -max_len=4096 \
        -artifact_prefix="$OUT/artifacts/$target-" "$corpus" "$seeds" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log)"
        status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    found=$(sed -n 's/^stat::new_units_added: *//p' "$log")
    echo "fuzz: $target ${SECONDS_EACH}s runs=${runs:-0} new=${found:-0} $result"
    total=$((total + 1))
done
[ $status -eq 0 ] && echo "fuzz: $total targets clean"
exit $status
