#!/usr/bin/env bash
# Installs what is missing, builds the game, the replay driver, the tests and the Windows
# executable, and runs every test under a virtual X server with software OpenGL.
# Usage: scripts/test.sh [sanitize]   (sanitize: AddressSanitizer and UndefinedBehaviorSanitizer,
# and a minute of fuzzing the bitmap loader)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
preset=${1:-default}

scripts/install-deps.sh windows
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
if [ "$preset" = default ]; then
  cmake --preset windows >/dev/null
  cmake --build --preset windows
fi

export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --preset "$preset" -j2

# With the sanitizers, also fuzz the bitmap loader for a minute.
if [ "$preset" = sanitize ]; then
  scripts/fuzz.sh "$root/build/fuzz" 60
fi
