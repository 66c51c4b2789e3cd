#!/usr/bin/env bash
# Measures start-up and frame times with the replay driver's --timing, five runs each, with
# rasterisation switched off (GALLIUM_NOOP=true: what the game itself costs) and with Mesa's
# llvmpipe, under a virtual X server, in two scenes: a game played for 1000 frames, and the
# busiest scene (scripts/busiest.replay, only its timed frames). Prints the median of each figure.
# Then the real game's pacing in a real window, in play (processor time per second, the gaps
# between frames; scripts/pacing_bench.py), and what one sound cue's PlaySoundA costs the game
# thread (trimvald-cue-bench), and how long --check takes over recordings of 3,000 and 30,000
# frames and how much memory it needs. --web measures the browser build instead.
# Usage: scripts/bench.sh [SCRIPT|--cues|--pacing|--check|--web]   (SCRIPT: time this replay
#   instead, every frame; --cues: only the sound cues; --pacing: only the pacing; --check: only
#   the check; --web: the page's size, start and frames in headless Chromium)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# The browser build in headless Chromium: what the page loads, the start question's time, the
# frame gaps on the title and in play (tests/web/bench.js).
if [ "${1:-}" = --web ]; then
  "$root/scripts/web.sh" >/dev/null
  (cd "$root/tests/web" && timeout 600 npm ci --no-audit --no-fund --loglevel=error)
  exec node "$root/tests/web/bench.js" "$root/build/web"
fi
cd "$root/build/default"

measure() {  # GALLIUM_NOOP value, script, replay options...
  local noop=$1 script=$2
  shift 2
  for _ in 1 2 3 4 5; do
    GALLIUM_NOOP=$noop xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
      ./trimvald-replay --timing "$@" "$script" 2>/dev/null | grep '"timing"'
  done | python3 -c '
import json, statistics, sys
runs = [json.loads(line)["timing"] for line in sys.stdin]
print("  frames timed   %9d" % runs[0]["frames"])
for key in ("startupMs", "frameMsMedian", "frameMsP99", "frameMsMax"):
    print(f"  {key:14} {statistics.median(r[key] for r in runs):9.3f}")
'
}

scene() {  # title, script, replay options...
  echo "$1, rasterisation off (GALLIUM_NOOP=true):"
  measure true "${@:2}"
  echo "$1, llvmpipe:"
  measure false "${@:2}"
}

pacing() {
  python3 "$root/scripts/pacing_bench.py" "$root/build/default"
}

# Recordings of the first lines of scripts/varied.replay that play 3,000 and 30,000 frames or
# more, each with its end as the game dumps it, checked three times each: the median wall time,
# the time a frame and the peak resident size. A check draws nothing, so its memory must not
# grow with the length.
check() {
  local recording
  recording=$(mktemp)
  for wanted in 3000 30000; do
    awk -v n="$wanted" '$1 == "frames" { total += $2 } { print } total >= n { exit }' \
      "$root/scripts/varied.replay" >"$recording"
    local frames end
    frames=$(awk '$1 == "frames" { total += $2 } END { print total }' "$recording")
    end=$(xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ./trimvald-replay --dump last "$recording" \
          2>/dev/null | grep '"drawn"')
    echo "# end $end" >>"$recording"
    for _ in 1 2 3; do
      xvfb-run -a -s "-screen 0 1024x768x24 -noreset" python3 -c '
import os, subprocess, sys, time
started = time.monotonic()
child = subprocess.Popen(["./trimvald-replay", "--check", sys.argv[1]], stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True)
said = child.stdout.read().strip()
_, _, usage = os.wait4(child.pid, 0)
print(f"{time.monotonic() - started:.2f} {usage.ru_maxrss / 1024:.0f} {said}")' "$recording"
    done | sort -n | sed -n 2p | {
      read -r seconds peak said
      awk -v s="$seconds" -v f="$frames" -v p="$peak" -v said="$said" 'BEGIN {
        printf "  --check of %d frames: %.2f s, %.3f ms a frame, peak resident %d MB (%s)\n",
               f, s, 1000 * s / f, p, said }'
    }
  done
  rm -f "$recording"
}

if [ "${1:-}" = --check ]; then
  check
  exit 0
fi
if [ "${1:-}" = --cues ]; then
  ./trimvald-cue-bench
  exit 0
fi
if [ "${1:-}" = --pacing ]; then
  pacing
  exit 0
fi
if [ $# -gt 0 ]; then
  scene "$1" "$1"
  exit 0
fi
played=$(mktemp)
trap 'rm -f "$played"' EXIT
printf 'answer yes\nframes 1 ENTER\nframes 500 W mouse 4 0\nframes 500 D mouse -3 1\n' >"$played"
scene "a game played for 1000 frames" "$played"
busiest=$root/scripts/busiest.replay
frames=$(sed -n 's/^# timed frames: //p' "$busiest")
scene "busiest scene (frames $frames)" "$busiest" --timing-frames "$frames"
echo
pacing
echo
./trimvald-cue-bench
echo
check
