#!/usr/bin/env bash
# Builds only the benchmarks and runs them natively (Google Benchmark, Release, no
# sanitizers) and under Wine (the 64-bit Windows bench exe, timing runner; the start-up of
# the release exes). Prints one line per measurement:
#   ratio <wine64.|wine32.><name> <product / baseline> goal <= <limit>
#   info native.<name> <product / baseline>   (the emulated platform: information only)
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

# Start-up, timed from inside Wine against a bare window (tools/StartupTimer.cpp), on the
# demo's client: the exe finds its marker, imports the client's keys, saves the profile and
# lists the profiles, as on a user's machine. Each exe that this machine runs: the 64-bit one,
# and the 32-bit one where 32-bit programs run.
STARTUP_ROUNDS=25
startup_builds() {
    echo win64
    wine_64bit_only || echo win32
}

time_startup() {
    source scripts/demo-seed.sh
    demo_seed "$WINE_PREFIX_DIR" fresh || return
    local preset status=0 exe
    for preset in $(startup_builds); do
        exe="Z:${ROOT//\//\\}\\build\\$preset\\morvane.exe"
        wine "build/$preset/morvane_startup.exe" time "wine${preset#win}." "$STARTUP_ROUNDS" \
            "$exe" | tr -d '\r' || status=1
    done
    # The benchmarks make their own folders and keys.
    local folder
    for folder in Downloads Music Videos Pictures Documents FastTrackProfiles; do
        rm -rf "${WINE_PREFIX_DIR:?}/drive_c/$folder"
    done
    rm -f "$WINE_PREFIX_DIR/.morvane-demo-seeded"
    wine_quiet wine reg delete 'HKCU\Software\Kazaa' /f || status=1
    return $status
}

# Inner part, run inside Xvfb: a prefix of the bench build's own.
if [[ ${1:-} == --wine-inner ]]; then
    shift
    run_startup=1
    if [[ ${1:-} == --only=* && StartUp != *"${1#--only=}"* ]]; then
        run_startup=0
    fi
    wine_prefix_create "$WINE_PREFIX_DIR"
    # The prefix is the benchmarks' own: what an interrupted run left there may go (a server
    # still running for it would make the start fail).
    wine_server_stop "$WINE_PREFIX_DIR"
    wine_server_start "$WINE_PREFIX_DIR"
    rm -rf "$WINE_PREFIX_DIR/drive_c/FastTrackProfiles"
    if [[ $run_startup == 1 ]]; then
        time_startup || exit 1
    fi
    # Wine makes files in a big folder slowly (each new name is looked up among all the
    # others): the download folder of 100,000 files is made from here, by the native runner
    # (LoadBench.cpp lays it out for both sides).
    seeded=$WINE_PREFIX_DIR/drive_c/MorvaneBenchLoad
    trap 'rm -rf "$seeded"; wine_server_stop "$WINE_PREFIX_DIR"' EXIT
    build/bench/bench/morvane_bench --lay-out-load-folder="$seeded"
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
# The native runner also lays out the Wine side's big folder.
if ! { cmake --preset bench >/dev/null &&
    cmake --build build/bench -j"$(nproc)" --target morvane_bench >/dev/null; }; then
    echo "FAILED: build bench" >&2
    exit 1
fi
if [[ $run_native == 1 ]]; then
    build/bench/bench/morvane_bench --prefix=native. --benchmark_color=false "${only[@]}" \
        2>build/bench/bench.log || status=1
fi
if [[ $run_wine == 1 ]]; then
    if ! { cmake --preset bench-win64 >/dev/null &&
        cmake --build build/bench-win64 -j"$(nproc)" --target morvane_bench >/dev/null; }; then
        echo "FAILED: build bench-win64" >&2
        exit 1
    fi
    if [[ ${#only[@]} == 0 || StartUp == *"${only[0]#--only=}"* ]]; then
        for preset in $(startup_builds); do
            if ! { cmake --preset "$preset" >/dev/null &&
                cmake --build "build/$preset" -j"$(nproc)" --target morvane morvane_startup \
                    >/dev/null; }; then
                echo "FAILED: build $preset" >&2
                exit 1
            fi
        done
    fi
    if [[ -n ${DISPLAY:-} ]]; then
        bash scripts/bench.sh --wine-inner "${only[@]}" || status=1
    else
        xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/bench.sh --wine-inner "${only[@]}" ||
            status=1
    fi
fi
exit $status
