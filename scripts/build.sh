#!/usr/bin/env bash
# Configures and builds into build/ (or build-asan/ with --sanitize), then prints the folder.
# Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
if [ "${1:-}" = "--sanitize" ]; then
    dir=build-asan
    options=(-DCMAKE_BUILD_TYPE=Debug -DZEM_SANITIZE=ON)
fi
# Build output goes to standard error, so that callers can take the folder from standard output.
cmake -S . -B "$dir" -G Ninja "${options[@]}" >&2
cmake --build "$dir" -j"$(nproc)" >&2
echo "$dir"
