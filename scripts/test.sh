#!/usr/bin/env bash
# Installs what is missing, builds the Windows executable (default run only), the game, the
# replay driver and the tests, and runs every test under a virtual X server with software OpenGL.
# Usage: scripts/test.sh [sanitize]   (sanitize: AddressSanitizer and UndefinedBehaviorSanitizer,
# and a minute each of fuzzing the bitmap loader and the script readers; without it, a long
# recorded round after the suite)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
preset=${1:-default}

scripts/install-deps.sh windows
configure=()
if [ "$preset" = default ]; then
  # The Windows executable first: the default preset's windows tests check it. Its icon is
  # drawn by the default build's asset generator.
  configure=(-DTRIMVALD_WINDOWS_EXE="$root/build/windows/trimvald.exe")
  cmake --preset default "${configure[@]}" >/dev/null
  cmake --build --preset default --target trimvald_assets
  cmake --preset windows >/dev/null
  cmake --build --preset windows
fi
cmake --preset "$preset" "${configure[@]}" >/dev/null
cmake --build --preset "$preset"

export LIBGL_ALWAYS_SOFTWARE=1
export SDL_AUDIODRIVER=dummy
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" ctest --preset "$preset" -j2

# Then, outside the suite's time, a long recorded round played by hand.
if [ "$preset" = default ]; then
  ctest --preset soak
fi

# With the sanitizers, also fuzz the bitmap loader and the script readers, a minute each.
if [ "$preset" = sanitize ]; then
  scripts/fuzz.sh "$root/build/fuzz" 60
fi
