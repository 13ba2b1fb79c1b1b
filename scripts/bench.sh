#!/usr/bin/env bash
# Builds only the benchmarks and runs them natively (Google Benchmark, Release, no
# sanitizers) and under Wine (the 64-bit Windows bench exe, timing runner). Prints one line
# per measurement:
#   ratio <native.|wine64.><name> <product / baseline> goal <= <limit>
#   time <...><name> <ms per run of our operation>
#   memory <...><name> <peak KiB>          (for the load measurements)
# Google Benchmark's own table goes to build/bench/bench.log.
#
#   scripts/bench.sh [--native | --wine] [--only=<part of a name>]
set -euo pipefail

cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/wine-prefix.sh

WINE_EXE=build/bench-win64/bench/morvane_bench.exe
WINE_PREFIX_DIR=$ROOT/build/bench-win64/wineprefix

# Inner part, run inside Xvfb: a prefix of the bench build's own.
if [[ ${1:-} == --wine-inner ]]; then
    shift
    wine_prefix_create "$WINE_PREFIX_DIR"
    trap 'wine_server_stop "$WINE_PREFIX_DIR"' EXIT
    wine_server_start "$WINE_PREFIX_DIR"
    wine "$WINE_EXE" --prefix=wine64. "$@" | tr -d '\r'
    exit "${PIPESTATUS[0]}"
fi

run_native=1
run_wine=1
only=()
for argument in "$@"; do
    case $argument in
    --native) run_wine=0 ;;
    --wine) run_native=0 ;;
    --only=*) only=("$argument") ;;
    *)
        echo "usage: scripts/bench.sh [--native | --wine] [--only=<part of a name>]" >&2
        exit 2
        ;;
    esac
done

status=0
if [[ $run_native == 1 ]]; then
    cmake --preset bench >/dev/null
    cmake --build build/bench -j2 --target morvane_bench >/dev/null
    build/bench/bench/morvane_bench --prefix=native. --benchmark_color=false "${only[@]}" \
        2>build/bench/bench.log || status=1
fi
if [[ $run_wine == 1 ]]; then
    cmake --preset bench-win64 >/dev/null
    cmake --build build/bench-win64 -j2 --target morvane_bench >/dev/null
    if [[ -n ${DISPLAY:-} ]]; then
        bash scripts/bench.sh --wine-inner "${only[@]}" || status=1
    else
        xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/bench.sh --wine-inner "${only[@]}" ||
            status=1
    fi
fi
exit $status
