#!/usr/bin/env bash
# Runs every test: the native build (emulated platform, sanitizers), then the 32-bit and
# 64-bit Windows builds under Wine, each in a Wine prefix of its own build folder.
# Prints CTest's summaries and exits non-zero when any suite fails.
set -euo pipefail

cd "$(dirname "$0")/.."
source scripts/wine-prefix.sh

# The Windows suites that can run here. Where 32-bit programs cannot run (or
# MORVANE_WINE64_ONLY=1 asks for it) the 32-bit exe is still built and checked, but its suite
# is skipped and Wine goes through its 64-bit loader.
wine_presets=(win32 win64)
skip_line=
if wine_64bit_only; then
    wine_presets=(win64)
    skip_line="win32 suite skipped: $(wine_64bit_only_why)"
fi

# Inner part, run inside Xvfb: one wineserver per prefix, warmed up before CTest.
if [[ ${1:-} == --wine-ctest ]]; then
    preset=$2
    prefix=$PWD/build/$preset/wineprefix
    wine_prefix_create "$prefix"
    trap 'wine_server_stop "$prefix"' EXIT
    wine_server_start "$prefix"
    ctest --preset "$preset" 2>&1 | tee "build/$preset/ctest.log"
    exit "${PIPESTATUS[0]}"
fi

# The exe must load on a bare system: only system DLLs, and on 32-bit nothing XP lacks.
check_imports() { # preset, objdump
    local exe=build/$1/morvane.exe imports bad
    imports=$("$2" -p "$exe" | awk '/DLL Name:/ { dll = toupper($3); print dll; next }
        dll != "" && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll ":" $3 }')
    bad=$(grep -v -x -E 'ADVAPI32.DLL|COMCTL32.DLL|GDI32.DLL|KERNEL32.DLL|MSVCRT.DLL|SHELL32.DLL|USER32.DLL|[A-Z0-9.]+:.*' <<<"$imports" || true)
    if [[ $1 == win32 ]]; then
        bad+=$(grep -E ':(GetTickCount64|(Initialize|Acquire|Release|TryAcquire)SRWLock[A-Za-z]*|InitializeConditionVariable|SleepConditionVariable[A-Z]+|WakeAllConditionVariable|WakeConditionVariable|InitOnce[A-Za-z]+|Fls(Alloc|Free|GetValue|SetValue)|GetSystemTimePreciseAsFileTime|(CompareString|LCMapString|GetLocaleInfo)Ex|Create(Event|Mutex|Semaphore)Ex[AW]|CancelIoEx|GetFileInformationByHandleEx|SetFileInformationByHandle|GetFinalPathNameByHandle[AW]|CreateSymbolicLink[AW]|WaitOnAddress|WakeByAddress[A-Za-z]+)$' <<<"$imports" || true)
    fi
    if [[ -n $bad ]]; then
        echo "$exe imports what a bare system lacks:"
        echo "$bad"
        return 1
    fi
}

started=$SECONDS
bash scripts/install-deps.sh

failed=()
run_ctest() { # name, command...
    local name=$1
    shift
    if ! "$@"; then
        failed+=("$name")
    fi
}

echo "== native: build"
cmake --preset native >/dev/null
cmake --build build/native -j2
echo "== native: test"
run_ctest native bash -c 'set -o pipefail; ctest --preset native -j2 2>&1 | tee build/native/ctest.log'

echo "== fuzz: a few seconds per target"
if ! bash scripts/fuzz.sh 5 | tee build/fuzz.log; then
    failed+=(fuzz)
fi

for preset in win32 win64; do
    echo "== $preset: build"
    cmake --preset "$preset" >/dev/null
    cmake --build "build/$preset" -j2
done

wine_started=$SECONDS
if [[ -n $skip_line ]]; then
    echo "== $skip_line"
fi
for preset in "${wine_presets[@]}"; do
    echo "== $preset: test under Wine"
    rm -f "build/$preset/ctest.log"
    run_ctest "$preset" xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/test.sh --wine-ctest "$preset"
done
wine_seconds=$((SECONDS - wine_started))

echo
echo "== Summary"
for preset in native "${wine_presets[@]}"; do
    echo "-- $preset"
    sed -n '/tests passed/,$p' "build/$preset/ctest.log" | grep -v '^Total Test time' || true
done
if [[ -n $skip_line ]]; then
    echo "-- $skip_line"
fi
echo "-- fuzz"
grep '^fuzz ' build/fuzz.log || true
for preset in win32 win64; do
    if [[ -f build/$preset/morvane.exe ]]; then
        echo "-- $preset morvane.exe: $(stat -c %s "build/$preset/morvane.exe") bytes"
        objdump=$([[ $preset == win32 ]] && echo i686 || echo x86_64)-w64-mingw32-objdump
        check_imports "$preset" "$objdump" || failed+=("$preset-imports")
    else
        echo "-- $preset morvane.exe: MISSING"
        failed+=("$preset-exe")
    fi
done
echo "-- time: $((SECONDS - started)) s in all, $wine_seconds s under Wine"

if [[ ${#failed[@]} -gt 0 ]]; then
    echo "FAILED: ${failed[*]}"
    exit 1
fi
echo "All tests passed."
