#!/usr/bin/env bash
# Installs the plain build (scripts/build.sh) into a temporary prefix and checks that the installed
# tool runs from there, then makes the Debian package and lists what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."

dir=$(scripts/build.sh)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
DESTDIR="$prefix/destdir" cmake --install "$dir" --prefix /usr > /dev/null
cmake --install "$dir" --prefix "$prefix/usr" > /dev/null
"$prefix/usr/bin/zem_d7-cli" --version
for f in bin/zem_d7 bin/th-d7-sim share/applications/zem_d7.desktop share/man/man1/zem_d7.1 \
    share/icons/hicolor/scalable/apps/zem_d7.svg share/icons/hicolor/48x48/apps/zem_d7.png; do
    [ -f "$prefix/usr/$f" ] && [ -f "$prefix/destdir/usr/$f" ] || { echo "not installed: $f" >&2; exit 1; }
done
(cd "$dir" && rm -f zem-d7_*.deb && cpack -G DEB > /dev/null)
deb=$(ls "$dir"/zem-d7_*.deb)
dpkg-deb --info "$deb" | grep -E '^ (Package|Version|Depends):'
dpkg-deb --contents "$deb" | awk '{print $6}'
