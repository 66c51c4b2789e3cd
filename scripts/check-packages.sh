#!/usr/bin/env bash
# Checks the release packages that scripts/package.sh made: lintian finds no error or warning in
# the .deb, the desktop entry and the AppStream metadata validate, the .deb depends on the
# libraries and the HUD's font and holds Debian's layout for a game, the .deb and the
# .tar.gz unpacked into scratch folders each start the game from / under a virtual X server to
# its window (answered, played for a second, recorded, quit with F1, the recording checked by
# the package's replay driver), the Windows zip holds its one folder, and the browser's zip its
# page's folder with the page's own files and nothing of the build besides.
# Usage: scripts/check-packages.sh [DIR]   (default build/package)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$(cd "${1:-$root/build/package}" && pwd)
version=$(sed -n 's/^project(Trimvald VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-packages: $*" >&2; exit 1; }

deb=$(ls "$dir"/trimvald_"$version"-[0-9]*_*.deb) || fail "no trimvald_${version}-*_*.deb in $dir"
tgz=$(ls "$dir"/trimvald-"$version"-linux-*.tar.gz) || fail "no trimvald-$version-linux-*.tar.gz"
zip=$dir/trimvald-$version-windows.zip
[ -f "$zip" ] || fail "no $(basename "$zip")"
webzip=$dir/trimvald-$version-web.zip
[ -f "$webzip" ] || fail "no $(basename "$webzip")"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libsdl2 libgl1 libegl1 libglu1-mesa libfreetype6 libfontconfig1 fonts-yanone-kaffeesatz; do
  [[ $depends == *"$needed"* ]] || fail "the .deb does not depend on $needed: $depends"
done
# Debian's own checker, informational tags shown too (they do not fail the check).
status=0
said=$(lintian --info --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v "^running with root privileges" <<<"$said" || true
[ $status -eq 0 ] || fail "lintian found errors or warnings in $(basename "$deb")"
dpkg-deb -x "$deb" "$scratch/deb"
share=$scratch/deb/usr/share
desktop-file-validate "$share/applications/org.trimvald.Trimvald.desktop"
appstreamcli validate --no-net "$share/metainfo/org.trimvald.Trimvald.metainfo.xml" >/dev/null
for file in games/trimvald games/trimvald-replay share/games/trimvald/Data/Textures/1R.bmp \
            share/icons/hicolor/48x48/apps/trimvald.png share/icons/hicolor/256x256/apps/trimvald.png \
            share/man/man6/trimvald.6.gz share/man/man6/trimvald-replay.6.gz \
            share/doc/trimvald/README.md share/doc/trimvald/copyright share/doc/trimvald/changelog.gz \
            share/doc/trimvald/changelog.Debian.gz share/doc/trimvald/docs/replay.md; do
  [ -f "$scratch/deb/usr/$file" ] || fail "the .deb lacks /usr/$file"
done
[ ! -e "$scratch/deb/usr/bin" ] || fail "the .deb has a /usr/bin besides /usr/games"
# Debian ships no copies of fonts: the .deb depends on the HUD face's package instead.
[ ! -e "$scratch/deb/usr/share/games/trimvald/Data/Fonts" ] || fail "the .deb carries a copy of a font"

tar -xzf "$tgz" -C "$scratch"
top=$(basename "$tgz" .tar.gz)
[ "$(ls "$scratch" | grep -v '^deb$')" = "$top" ] || fail "the .tar.gz does not unpack into one folder $top"
for file in bin/trimvald share/trimvald/Data/Textures/1R.bmp share/man/man6/trimvald.6 \
            share/doc/trimvald/LICENSE share/doc/trimvald/docs/replay.md \
            share/trimvald/Data/Fonts/YanoneKaffeesatz-Bold.otf \
            share/trimvald/Data/Fonts/YanoneKaffeesatz-LICENSE.txt; do
  [ -f "$scratch/$top/$file" ] || fail "the .tar.gz lacks $top/$file"
done

python3 - "$zip" "trimvald-$version-windows" <<'PY'
import sys, zipfile
names = zipfile.ZipFile(sys.argv[1]).namelist()
top = sys.argv[2] + "/"
outside = [n for n in names if not n.startswith(top)]
entries = {n[len(top):].split("/")[0] for n in names if n.startswith(top) and n != top}
expected = {"trimvald.exe", "Data", "README.txt", "LICENSE.txt"}
if outside or entries != expected:
    sys.exit(f"check-packages: the zip holds {sorted(entries)} in {top} and {outside} outside it")
for face in ("YanoneKaffeesatz-Bold.otf", "YanoneKaffeesatz-LICENSE.txt"):
    if top + "Data/Fonts/" + face not in names:
        sys.exit(f"check-packages: the zip lacks {top}Data/Fonts/{face}")
PY

# The page is served from its one folder as it stands: exactly its own files, none empty, the
# module naming the data and WebAssembly files beside it, the README telling the version.
python3 - "$webzip" "trimvald-$version-web" "$version" <<'PY'
import sys, zipfile
archive = zipfile.ZipFile(sys.argv[1])
top = sys.argv[2] + "/"
infos = {i.filename: i for i in archive.infolist()}
outside = [n for n in infos if not n.startswith(top)]
entries = {n[len(top):] for n in infos if n.startswith(top) and n != top}
expected = {"index.html", "page.js", "page.css", "trimvald.js", "trimvald.wasm", "trimvald.data",
            "FONT-LICENSE.txt", "README.txt"}
if outside or entries != expected:
    sys.exit(f"check-packages: the web zip holds {sorted(entries)} in {top} and {outside} outside it")
empty = [n for n in expected if infos[top + n].file_size == 0]
if empty:
    sys.exit(f"check-packages: empty in the web zip: {empty}")
module = archive.read(top + "trimvald.js").decode("utf-8", "replace")
readme = archive.read(top + "README.txt").decode("utf-8")
page = archive.read(top + "index.html").decode("utf-8")
for name in ("trimvald.wasm", "trimvald.data"):
    if name not in module:
        sys.exit(f"check-packages: the web zip's trimvald.js does not load {name}")
if '<script src="page.js">' not in page or "@VERSION@" in readme or sys.argv[3] not in readme:
    sys.exit("check-packages: the web zip's index.html or README.txt is not the page's own")
PY

# The unpacked games, started from / as a menu would: each must find its Data/ on its own.
counter=$root/build/default/tests/e2e/libswap_counter.so
if [ ! -f "$counter" ]; then
  cmake --preset default >/dev/null
  cmake --build --preset default --target swap_counter >/dev/null
fi
# Each round is recorded and checked by the package's own replay driver, also started from /.
for game in "$scratch/deb/usr/games/trimvald" "$scratch/$top/bin/trimvald"; do
  (cd / && python3 "$root/tests/e2e/run_game.py" --game "$game" --preload "$counter" \
     --replay "$(dirname "$game")/trimvald-replay" --shots "$scratch/shots" \
     --screen 800x600x24 played_f1) || fail "$game did not play from /"
done
echo "check-packages: $(basename "$deb"), $(basename "$tgz"), $(basename "$zip") and $(basename "$webzip") are sound"
