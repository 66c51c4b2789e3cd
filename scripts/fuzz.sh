#!/usr/bin/env bash
# Fuzzes the bitmap loader: builds its libFuzzer target with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer included) and runs it from a seed corpus of valid bitmaps of every
# kind the loader takes. Exits non-zero when an input crashes the loader, leaks or hangs it.
# Usage: scripts/fuzz.sh [BUILD_DIR] [SECONDS]   (defaults: /tmp/trimvald-fuzz, 60)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-/tmp/trimvald-fuzz}
seconds=${2:-60}

"$root/scripts/install-deps.sh" test
cmake -S "$root/tests/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

rm -rf "$build/seeds"
python3 "$root/tests/fuzz/make_seeds.py" "$build/seeds"
mkdir -p "$build/corpus" "$build/crashes"

# New inputs go to corpus/, a crashing one to crashes/. Files up to 16 KiB are enough to reach
# every header, table and compression; the largest pictures (8192 x 8192) fit in the memory
# limit.
cd "$build"
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
./bitmap_loader_fuzz -max_total_time="$seconds" -max_len=16384 -timeout=20 -rss_limit_mb=4096 \
  -dict="$root/tests/fuzz/bitmap.dict" -artifact_prefix="$build/crashes/" \
  -print_final_stats=1 corpus seeds
