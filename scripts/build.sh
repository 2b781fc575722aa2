#!/usr/bin/env bash
# Configures and builds into build/, then prints the folder. With --sanitize, everything into
# build-asan/ under AddressSanitizer and UndefinedBehaviorSanitizer; with --tsan, only the threaded
# tests and the programs they run into build-tsan/ under ThreadSanitizer. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEM_WERROR=ON)
targets=(all)
case "${1:-}" in
--sanitize)
    dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DZEM_SANITIZE=ON -DZEM_WERROR=ON)
    ;;
--tsan)
    dir=build-tsan
    options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEM_TSAN=ON -DZEM_WERROR=ON)
    targets=(thread_tests)
    ;;
esac
# Build output goes to standard error, so that callers can take the folder from standard output.
cmake -S . -B "$dir" -G Ninja "${options[@]}" >&2
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}" >&2
echo "$dir"
