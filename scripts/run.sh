#!/usr/bin/env bash
# Installs what is missing, builds, and starts the window with the sample settings file open.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
dir=$(scripts/build.sh)

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the window under a virtual X server (xvfb-run)." >&2
    exec xvfb-run -a "$dir/app/zem_d7" docs/samples/sample.zem
fi
exec "$dir/app/zem_d7" docs/samples/sample.zem
