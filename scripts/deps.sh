#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the window need, skipping those already
# there; with --fuzz, those the fuzz targets need instead (clang with its libFuzzer runtime).
# Safe to run again.
set -euo pipefail

if [ "${1:-}" = "--fuzz" ]; then
    packages=(clang libclang-rt-14-dev cmake ninja-build)
else
    packages=(
        g++ cmake ninja-build pkg-config
        qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n
        qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
        libgtest-dev libgmock-dev libbenchmark-dev
        fonts-ipafont-gothic
        xvfb xauth imagemagick socat
        libhamlib-utils
        dpkg-dev file
        poppler-utils
    )
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
