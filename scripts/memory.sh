#!/usr/bin/env bash
# Plays a million frames through the replay driver and samples its resident size as it goes:
# whole games over and over, walking in circles, casting all the time, the enemy dying and the
# player too, each game over answered with a new game. Mesa's llvmpipe draws, into a 40x30
# viewport so that a frame costs a few milliseconds (about an hour in all); the no-op driver
# (GALLIUM_NOOP) cannot be used here, as it keeps every vertex buffer it is handed and grows
# by itself. Prints a sample a minute, then the lowest and highest of the last nine tenths.
# With --headless it runs with no X server at all (SDL's offscreen driver, as in CI containers
# and the headless demo) and samples every 10 s.
# Usage: scripts/memory.sh [--headless] [FRAMES]   (default 1000000)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root/build/default"
headless=
if [ "${1:-}" = --headless ]; then
  headless=1
  shift
fi
frames=${1:-1000000}
interval=60
[ -n "$headless" ] && interval=10
script=$(mktemp)
trap 'rm -f "$script"' EXIT
{
  echo "answer yes"
  echo "resize 40 30"
  blocks=$(( (frames + 2999) / 3000 ))
  for ((i = 0; i < blocks; i++)); do
    digit=$(( i % 10 ))
    echo "frames 1 $digit"
    echo "frames 1 ENTER"
    echo "frames 1499 W E mouse 8 0"
    echo "frames 1499 D E SPACE mouse -5 1"
  done
} >"$script"

if [ -n "$headless" ]; then
  env -u DISPLAY -u WAYLAND_DISPLAY LP_NUM_THREADS=1 SDL_AUDIODRIVER=dummy \
    ./trimvald-replay --dump last "$script" >/tmp/trimvald-memory.$$.out 2>&1 &
else
  LP_NUM_THREADS=1 SDL_AUDIODRIVER=dummy xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    ./trimvald-replay --dump last "$script" >/tmp/trimvald-memory.$$.out 2>&1 &
fi
runner=$!
samples=()
while kill -0 "$runner" 2>/dev/null; do
  pid=$(pgrep -n -f "^./trimvald-replay --dump last $script" || true)
  if [ -n "$pid" ] && [ -r "/proc/$pid/status" ]; then
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || true)
    [ -n "$rss" ] && samples+=("$rss") && echo "  $(date +%T) resident ${rss} KiB"
  fi
  sleep "$interval"
done
wait "$runner" || true
tail -1 /tmp/trimvald-memory.$$.out
rm -f /tmp/trimvald-memory.$$.out
# The first tenth covers start-up and the first games, while the driver's caches fill.
count=${#samples[@]}
if [ "$count" -ge 2 ]; then
  printf '%s\n' "${samples[@]:$(( count / 10 ))}" | sort -n | sed -n '1p;$p' | paste -sd' ' |
    awk '{print "resident over the last nine tenths: lowest " $1 " KiB, highest " $2 " KiB"}'
fi
