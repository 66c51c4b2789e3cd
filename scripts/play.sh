#!/usr/bin/env bash
# Sets up, builds and starts the game. Without a display it runs a short scripted demo through
# the replay driver instead and saves screenshots of it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/install-deps.sh
# Only the game and the replay driver its headless demo uses: the tests are the test command's.
cmake --preset play >/dev/null
cmake --build --preset play

cd build/play
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./trimvald
fi

shots="$root/out/demo"
mkdir -p "$shots"
echo "No display here, so no game window: running a scripted demo headless instead."
./trimvald-replay --shot 115:"$shots/1-title.png" --shot 250:"$shots/2-arena.png" \
  --shot 400:"$shots/3-walking.png" --shot 440:"$shots/4-looking-up.png" \
  --shot 570:"$shots/5-paused.png" --dump last "$root/scripts/demo.replay" >"$shots/demo.jsonl" \
  2>"$shots/demo.log"
echo "Screenshots of the demo:"
ls -1 "$shots"/*.png
echo "The game state after the last frame is in $shots/demo.jsonl."
