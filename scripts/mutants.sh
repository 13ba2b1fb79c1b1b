#!/usr/bin/env bash
# Proof that the tests have power: apply each planted fault in tests/mutants/ (one .patch per
# fault, its first line a "# " comment saying what it plants) to a copy of the tracked sources,
# rebuild, run the suite and say whether a test failed.
#
#   scripts/mutants.sh [NAME-FILTER]     only the patches whose file name holds NAME-FILTER
#
# Faults in the product's portable code run the native suite (build/mutants/native, the gtest
# exe only). Faults in platform/win32/ only the real platform and view can show: they run the
# 64-bit Wine platform and view suites (build/mutants/win64) under Xvfb, and are skipped, with
# a line saying so, where this machine has no Wine, Xvfb or mingw-w64. The working tree is
# never touched: the sources are copied into build/mutants/src, each patch is applied there
# and taken back afterwards (a run cut short is mended by the next run's copy).
# Prints one line per fault, then "mutants: N caught, M survived". Exits non-zero when a fault
# survived, or a patch no longer applies or no longer builds.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root" || exit 1
filter=${1:-}
work=$root/build/mutants
src=$work/src
native=$work/native
win64=$work/win64
log=$work/log
jobs=$(nproc 2>/dev/null || echo 2)
# A fault can make a suite loop: the native suite takes seconds, the Wine suites under a minute.
native_timeout=120 wine_timeout=300

if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
fi

patches=()
for patch in tests/mutants/*.patch; do
    [[ -f $patch && $(basename "$patch") == *"$filter"* ]] && patches+=("$patch")
done
if [[ ${#patches[@]} -eq 0 ]]; then
    echo "mutants: no patch in tests/mutants/ matches '$filter'"
    exit 1
fi

# One run at a time: two would patch and build the same copy.
mkdir -p "$work"
exec 9>"$work/lock"
if ! flock -n 9; then
    echo "mutants: another run is using $work"
    exit 1
fi

# The copy: the tracked files as they are in the working tree. Files whose bytes did not change
# keep their times, so a later run rebuilds only what changed; files no longer tracked go.
mkdir -p "$src" "$log"
git ls-files -z --cached --others --exclude-standard | sort -z >"$work/files"
while IFS= read -r -d '' file; do
    if [[ -f $file ]] && ! cmp -s "$file" "$src/$file"; then
        mkdir -p "$src/$(dirname "$file")"
        cp "$file" "$src/$file"
    fi
done <"$work/files"
(cd "$src" && find . -type f -printf '%P\0' | sort -z) >"$work/copied"
comm -z -23 "$work/copied" "$work/files" | (cd "$src" && xargs -0 -r rm -f)

# Outside any repository (the copy lies inside this one), so that git apply patches the copy's
# files instead of skipping paths outside the current folder.
apply() { (cd "$src" && GIT_CEILING_DIRECTORIES=$work git apply "$@"); }
needs_wine() { grep -q '^+++ b/platform/win32/' "$1"; }
wine_here() {
    command -v wine >/dev/null && command -v xvfb-run >/dev/null &&
        command -v x86_64-w64-mingw32-g++ >/dev/null
}

build_native() {
    if [[ ! -f $native/CMakeCache.txt ]]; then
        cmake -S "$src" -B "$native" -DCMAKE_BUILD_TYPE=Debug -DMORVANE_SANITIZE=ON >/dev/null ||
            return 1
    fi
    cmake --build "$native" --target morvane_tests -j"$jobs"
}
run_native() {
    timeout "$native_timeout" "$native/tests/morvane_tests" --gtest_brief=1
}
build_win64() {
    if [[ ! -f $win64/CMakeCache.txt ]]; then
        cmake -S "$src" -B "$win64" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/mingw-x86_64.cmake" \
            -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null || return 1
    fi
    cmake --build "$win64" --target morvane_platform_tests morvane_view_tests -j"$jobs"
}
run_win64() {
    # The Wine server must start inside the X display, so each run makes its own: a few
    # seconds, for the few faults that need it. The platform suite (real files and registry)
    # and the view suite (real controls).
    # shellcheck disable=SC2016 # expanded by the inner shell
    timeout "$wine_timeout" xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
        source "$1/scripts/wine-prefix.sh"
        wine_prefix_create "$2/wineprefix" >/dev/null 2>&1 || { echo "no Wine prefix"; exit 1; }
        trap "wine_server_stop \"$2/wineprefix\"" EXIT
        wine_server_start "$2/wineprefix"
        cd "$2/tests" || exit 1
        wine ./morvane_platform_tests.exe --gtest_brief=1; a=$?
        wine ./morvane_view_tests.exe --gtest_brief=1; b=$?
        [ $a = 0 ] && [ $b = 0 ]' mutants-wine "$root" "$win64"
}
failed_tests() { # log file: the failed tests, three of them named on one line
    grep -E '^\[  FAILED  \] [A-Za-z_0-9]+\.' "$1" | sed 's/^\[  FAILED  \] //; s/ .*//' |
        sort -u | awk 'NR <= 3 { printf "%s%s", (NR > 1 ? " " : ""), $0 }
            END { if (NR > 3) printf " and %d more", NR - 3 }'
}

# The unchanged sources must build and pass, or every fault would look caught.
sides=()
for patch in "${patches[@]}"; do
    if ! needs_wine "$patch"; then
        sides+=(native)
    elif wine_here; then
        sides+=(win64)
    else
        sides+=(none)
    fi
done
for side in $(printf '%s\n' "${sides[@]}" | sort -u | grep -v -x none); do
    if ! "build_$side" >"$log/baseline-$side.log" 2>&1 ||
        ! "run_$side" >>"$log/baseline-$side.log" 2>&1; then
        echo "mutants: the unchanged sources do not build or pass on $side (see $log/baseline-$side.log)"
        exit 1
    fi
done

caught=0 survived=0 broken=0 skipped=0
for i in "${!patches[@]}"; do
    patch=$root/${patches[$i]}
    side=${sides[$i]}
    name=$(basename "$patch" .patch)
    what=$(sed -n '1s/^# *//p' "$patch")
    out=$log/$name.log
    if [[ $side == none ]]; then
        echo "skipped      $name: $what (needs Wine, Xvfb and mingw-w64)"
        skipped=$((skipped + 1))
        continue
    fi
    if ! apply "$patch" >"$out" 2>&1; then
        echo "NOT APPLIED  $name: $what"
        broken=$((broken + 1))
        continue
    fi
    if ! "build_$side" >>"$out" 2>&1; then
        echo "NOT BUILT    $name: $what (see $out)"
        broken=$((broken + 1))
    else
        rc=0
        "run_$side" >>"$out" 2>&1 || rc=$?
        if [[ $rc -eq 0 ]]; then
            echo "SURVIVED     $name [$side]: $what"
            survived=$((survived + 1))
        else
            by=$(failed_tests "$out")
            [[ $rc -eq 124 ]] && by="a timeout${by:+ ($by)}"
            echo "caught       $name [$side]: $what -- by ${by:-a crash (exit $rc, see $out)}"
            caught=$((caught + 1))
        fi
    fi
    if ! apply -R "$patch" >>"$out" 2>&1; then
        echo "mutants: could not take $name back out of $src; remove $work and run again"
        exit 1
    fi
done

tail=
[[ $broken -gt 0 ]] && tail+=", $broken not applied or not built"
[[ $skipped -gt 0 ]] && tail+=", $skipped skipped without Wine"
echo "mutants: $caught caught, $survived survived$tail"
[[ $survived -eq 0 && $broken -eq 0 ]]
