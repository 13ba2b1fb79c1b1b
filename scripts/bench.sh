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
    wine_server_start "$WINE_PREFIX_DIR"
    # The prefix is the benchmarks' own: what an interrupted run left there may go.
    rm -rf "$WINE_PREFIX_DIR/drive_c/FastTrackProfiles"
    # Wine makes files in a big folder slowly (each new name is looked up among all the
    # others): the download folder of 100,000 files is made from here, as LoadBench.cpp would.
    seeded=$WINE_PREFIX_DIR/drive_c/MorvaneBenchLoad
    trap 'rm -rf "$seeded"; wine_server_stop "$WINE_PREFIX_DIR"' EXIT
    python3 - "$seeded" <<'PY'
import os, shutil, sys
folder = sys.argv[1]
shutil.rmtree(folder, ignore_errors=True)
os.makedirs(folder)
for i in range(100000):
    name = "file_%d" % i
    if i % 10 == 0:
        data = b"\x5a" * 1000 + ("C:\\MorvaneBenchLoad\\%s.mp3" % name).encode() + b"\0tail"
        path = os.path.join(folder, name + ".dat")
    else:
        data = ("finished " + name).encode()
        path = os.path.join(folder, name + ".mp3")
    with open(path, "wb") as out:
        out.write(data)
open(os.path.join(folder, ".seeded"), "wb").close()
PY
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
    if ! { cmake --preset bench >/dev/null &&
        cmake --build build/bench -j"$(nproc)" --target morvane_bench >/dev/null; }; then
        echo "FAILED: build bench" >&2
        exit 1
    fi
    build/bench/bench/morvane_bench --prefix=native. --benchmark_color=false "${only[@]}" \
        2>build/bench/bench.log || status=1
fi
if [[ $run_wine == 1 ]]; then
    if ! { cmake --preset bench-win64 >/dev/null &&
        cmake --build build/bench-win64 -j"$(nproc)" --target morvane_bench >/dev/null; }; then
        echo "FAILED: build bench-win64" >&2
        exit 1
    fi
    if [[ -n ${DISPLAY:-} ]]; then
        bash scripts/bench.sh --wine-inner "${only[@]}" || status=1
    else
        xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/bench.sh --wine-inner "${only[@]}" ||
            status=1
    fi
fi
exit $status
