#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window with the sample settings file open and
# the simulated radio chosen as its port, so that 接続 and メモリ読み出し work with no radio attached.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
dir=$(scripts/build.sh)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the window under a virtual X server (xvfb-run)." >&2
    exec xvfb-run -a "$dir/app/zem_d7" --port sim docs/samples/sample.zem
fi
exec "$dir/app/zem_d7" --port sim docs/samples/sample.zem
