#!/usr/bin/env bash
# Builds every fuzz target (clang, libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs each for SECONDS seconds, starting from its seed corpus in fuzz/corpus/<Name>/.
# Prints per target the executions and the coverage reached; exits non-zero on a finding,
# whose input is kept in build/fuzz/findings/.
#
#   scripts/fuzz.sh SECONDS
set -euo pipefail

cd "$(dirname "$0")/.."
seconds=${1:?usage: scripts/fuzz.sh SECONDS}

# The compiler's complaints go to stderr; the line below says which step failed.
if ! { cmake --preset fuzz >/dev/null && cmake --build build/fuzz -j"$(nproc)" >/dev/null; }; then
    echo "fuzz FAILED: build fuzz"
    exit 1
fi

# The targets write a file per input; a disk-backed temporary folder makes that the bottleneck.
if [[ -d /dev/shm && -w /dev/shm ]]; then
    export TMPDIR=/dev/shm
fi

findings=build/fuzz/findings
mkdir -p "$findings"
failed=()
for source in fuzz/*Fuzz.cpp; do
    target=$(basename "$source" .cpp)
    name=${target%Fuzz}
    seeds=fuzz/corpus/$name
    # New inputs go to a working corpus in the build folder; the repository keeps our seeds.
    work=build/fuzz/corpus/$name
    mkdir -p "$work"
    log=build/fuzz/$target.log
    rc=0
    "build/fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 -timeout=10 \
        -artifact_prefix="$findings/$target-" "$work" ${seeds:+"$seeds"} >"$log" 2>&1 || rc=$?
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -1 || true)
    corpus=$(find "$work" -type f | wc -l)
    if [[ $rc -ne 0 ]]; then
        echo "fuzz $name: FINDING after ${executions:-?} executions (see $log)"
        grep -E '^(fuzz finding|==[0-9]+==ERROR|SUMMARY)' "$log" | head -5 || true
        failed+=("$name")
    else
        echo "fuzz $name: ${executions:-?} executions in ${seconds} s, ${coverage:-cov: ?}, corpus $corpus"
    fi
done
if [[ ${#failed[@]} -gt 0 ]]; then
    echo "fuzz FAILED: ${failed[*]}"
    exit 1
fi
