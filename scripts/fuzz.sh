#!/usr/bin/env bash
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]   (default 60)
# Installs clang if missing, builds the libFuzzer targets of fuzz/ into build-fuzz/, replays the
# inputs kept in fuzz/regressions/<target>/, then fuzzes each target for the given time. Any crash,
# leak, timeout, sanitizer report or broken property fails the run, and the input that caused it
# is kept in build-fuzz/artifacts/<target>/. Inputs that reach new code collect in
# build-fuzz/corpus/<target>/, so a later run goes on from there. FUZZ_SEED fixes libFuzzer's
# random seed (CI sets it, so that a run can be repeated exactly). Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
dir=build-fuzz

scripts/deps.sh --fuzz
cmake -S fuzz -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$dir" -j2

# Every reader is linear in its input and the inputs are a few kilobytes, so an input that takes
# seconds is a finding; 10 s leaves room for a machine busy with other work. 2 GB is libFuzzer's
# default memory limit, said here so that it is not lost.
options=(-timeout=10 -rss_limit_mb=2048 -seed="${FUZZ_SEED:-0}" -print_final_stats=1)
export ASAN_OPTIONS=detect_stack_use_after_return=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1

shopt -s nullglob
sources=(fuzz/*_fuzz.cpp)
failed=()
for source in "${sources[@]}"; do
    target=$(basename "$source" .cpp)
    name=${target%_fuzz}
    artifacts=$dir/artifacts/$name
    corpus=$dir/corpus/$name
    log=$dir/$name.log
    mkdir -p "$artifacts" "$corpus"
    run=("$dir/$target" "${options[@]}" -artifact_prefix="$artifacts/")
    [ -f "fuzz/dict/$name.dict" ] && run+=(-dict="fuzz/dict/$name.dict")
    seeds=()
    [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")

    regressions=(fuzz/regressions/"$name"/*)
    if [ ${#regressions[@]} -gt 0 ] && ! "${run[@]}" "${regressions[@]}" >"$log" 2>&1; then
        echo "$name: a kept input fails again (log: $log)"
        tail -n 40 "$log"
        failed+=("$name")
        continue
    fi
    if ! "${run[@]}" -max_total_time="$seconds" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        echo "$name: FAILED; the input is kept in $artifacts/ (log: $log)."
        echo "Once fixed, copy the input into fuzz/regressions/$name/ so that every run replays it."
        tail -n 40 "$log"
        failed+=("$name")
        continue
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: //p' "$log")
    units=$(grep -o 'corp: [0-9]*' "$log" | tail -n 1 | cut -d' ' -f2)
    echo "$name: ${runs} runs in ${seconds} s, corpus ${units} inputs, ${#regressions[@]} kept inputs replayed, no finding"
done

echo "fuzz: $((${#sources[@]} - ${#failed[@]})) passed, ${#failed[@]} failed"
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found faults in: ${failed[*]}"
    exit 1
fi
