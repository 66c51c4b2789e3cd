#!/usr/bin/env bash
# Measures start-up and frame times with the replay driver's --timing, five runs each, with
# rasterisation switched off (GALLIUM_NOOP=true: what the game itself costs) and with Mesa's
# llvmpipe, under a virtual X server. Prints the median of each figure.
# Usage: scripts/bench.sh [SCRIPT]   (default: a game started and played for 1000 frames)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/build/default"
script=${1:-}
if [ -z "$script" ]; then
  script=$(mktemp)
  printf 'answer yes\nframes 1 ENTER\nframes 500 W mouse 4 0\nframes 500 D mouse -3 1\n' >"$script"
fi

measure() {
  for _ in 1 2 3 4 5; do
    GALLIUM_NOOP=$1 xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
      ./trimvald-replay --timing "$script" 2>/dev/null | grep '"timing"'
  done | python3 -c '
import json, statistics, sys
runs = [json.loads(line)["timing"] for line in sys.stdin]
for key in ("startupMs", "frameMsMedian", "frameMsP99", "frameMsMax"):
    print(f"  {key:14} {statistics.median(r[key] for r in runs):9.3f}")
'
}

echo "rasterisation off (GALLIUM_NOOP=true):"
measure true
echo "llvmpipe:"
measure false
