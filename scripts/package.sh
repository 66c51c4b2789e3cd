#!/usr/bin/env bash
# Makes the four release packages in build/package/: the Debian package, the relocatable
# .tar.gz (both by CPack from the release build), the Windows zip (scripts/windows.sh) and the
# browser's zip (the page scripts/web.sh builds); then checks them (scripts/check-packages.sh)
# unless --no-check is given.
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
# The page's folder as any static web server serves it: the page, the game's module and data,
# the glyphs' face licence and a short README; nothing else of the build.
scripts/web.sh >/dev/null
version=$(sed -n 's/^project(Trimvald VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
web=trimvald-$version-web
stage=build/web-package
rm -rf "$stage"
mkdir -p "$stage/$web"
for file in index.html page.js page.css trimvald.js trimvald.wasm trimvald.data FONT-LICENSE.txt; do
  cp "build/web/$file" "$stage/$web/"
done
sed "s/@VERSION@/$version/g" scripts/web/README.txt >"$stage/$web/README.txt"
(cd "$stage" && zip -qrX "$out/$web.zip" "$web")
ls -l "$out"
[ "${1:-}" = --no-check ] && exit 0
scripts/check-packages.sh "$out"
