#!/usr/bin/env bash
# Fuzzes the bitmap loader, then the replay driver's script and recording readers: builds their
# libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer included) and
# runs each for SECONDS from its seed corpus (valid bitmaps of every kind the loader takes; small
# valid scripts and a recording). Exits non-zero when an input crashes a target, leaks or hangs
# it; the second target runs even when the first has failed.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS]   (defaults: /tmp/trimvald-fuzz, 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/trimvald-fuzz}
seconds=${2:-60}

"$root/scripts/install-deps.sh" test
cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

# Each target has its own seeds/, corpus/ (new inputs) and crashes/ (a failing one) under
# BUILD_DIR/NAME/.
rm -rf "$build/bitmap_loader/seeds" "$build/script/seeds"
mkdir -p "$build"/{bitmap_loader,script}/{corpus,crashes}
python3 "$root/tests/fuzz/make_seeds.py" "$build/bitmap_loader/seeds"
cp -r "$root/tests/fuzz/script_seeds" "$build/script/seeds"

cd "$build"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
status=0
# NAME MAX_LEN DICT: one target's run, its failure kept for the exit code.
fuzz() {
  ./"$1_fuzz" -max_total_time="$seconds" -max_len="$2" -timeout=20 -rss_limit_mb=4096 \
    -dict="$root/tests/fuzz/$3" -artifact_prefix="$build/$1/crashes/" \
    -print_final_stats=1 "$1/corpus" "$1/seeds" || status=1
}
# Bitmaps up to 16 KiB reach every header, table and compression; the largest pictures
# (8192 x 8192) fit in the memory limit. Scripts of 4 KiB hold every command many times over.
fuzz bitmap_loader 16384 bitmap.dict
fuzz script 4096 script.dict
exit $status
