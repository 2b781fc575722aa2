#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (GUI tests on the offscreen platform).
# With --sanitize, builds and runs them under AddressSanitizer and UndefinedBehaviorSanitizer;
# with --tsan, runs the tests of the link and the simulator (label "threads") under
# ThreadSanitizer. Any sanitizer report fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
dir=$(scripts/build.sh "$@")

export QT_QPA_PLATFORM=offscreen
selection=()
case "${1:-}" in
--sanitize)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
    ;;
--tsan)
    # die_after_fork=0: QProcess starts a program through a clone that shares the parent's memory
    # until the exec, and ThreadSanitizer then takes the parent itself for a forked child, killing
    # the test at its next new thread (a simulator started after the tool has run once).
    export TSAN_OPTIONS="halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=$PWD/scripts/tsan.supp"
    selection=(-L threads)
    ;;
esac
ctest --test-dir "$dir" --output-on-failure -j2 --timeout 300 "${selection[@]}"
