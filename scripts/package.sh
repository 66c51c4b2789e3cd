#!/usr/bin/env bash
# Makes the three release packages in build/package/: the Debian package, the relocatable
# .tar.gz (both by CPack from the release build) and the Windows zip (scripts/windows.sh); then
# checks them (scripts/check-packages.sh) unless --no-check is given.
# Usage: scripts/package.sh [--no-check]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh windows
cmake --preset release >/dev/null
cmake --build --preset release
# The install rules take the generated Data/ and Icons/, and the Debian layout's compressed
# manual pages and changelogs, from the release build itself.
cmake --build --preset release --target trimvald_assets trimvald_debian_files
out=$root/build/package
rm -rf "$out"
mkdir -p "$out"
(cd build/release && cpack -B "$out/cpack" >/dev/null)
mv "$out"/cpack/*.deb "$out"/cpack/*.tar.gz "$out/"
rm -rf "$out/cpack"
scripts/windows.sh package >/dev/null
cp build/windows/trimvald-*-windows.zip "$out/"
ls -l "$out"
[ "${1:-}" = --no-check ] && exit 0
scripts/check-packages.sh "$out"
