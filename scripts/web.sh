#!/usr/bin/env bash
# The browser version: installs what is missing, builds the game's data natively (the textures,
# sounds and the outline font's glyphs), then the page with emscripten into build/web/.
#   scripts/web.sh                 build
#   scripts/web.sh --serve [PORT]  build, then serve build/web/ on 127.0.0.1 (default port 8000)
#   scripts/web.sh --test          build, then play it and watch a recording in headless Chromium
#                                  (tests/web/), its pictures compared with the desktop's
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

mode=build
port=8000
case "${1:-}" in
  '') ;;
  --serve) mode=serve; port=${2:-8000} ;;
  --test) mode=test ;;
  *) echo "usage: $0 [--serve [PORT] | --test]" >&2; exit 2 ;;
esac
case "$port" in
  ''|*[!0-9]*) echo "web.sh: the port must be a number, not '$port'" >&2; exit 2 ;;
esac

scripts/install-deps.sh "$([ "$mode" = test ] && echo webtest || echo web)"

# The data the page carries comes from the player's native build (no tests built); the test
# checks the page's recording with that build's replay driver.
cmake --preset play >/dev/null
targets=(trimvald_assets trimvald_glyphs)
[ "$mode" = test ] && targets+=(trimvald-replay)
cmake --build build/play --target "${targets[@]}"

# Debian's emcc finds its JavaScript tools through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
cmake --preset web >/dev/null
cmake --build --preset web

case "$mode" in
  serve)
    echo "Тримвальд in a browser: http://127.0.0.1:$port/ (Ctrl+C stops the server)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
    ;;
  test)
    # playwright-core 1.64 runs on node 20 or later; Debian 12's own nodejs is 18.
    node_major=$(node -p 'process.versions.node.split(".")[0]')
    if [ "$node_major" -lt 20 ]; then
      echo "web.sh: the browser's test needs node 20 or later (tests/web's playwright-core), this is $(node --version)" >&2
      exit 1
    fi
    (cd tests/web && timeout 600 npm ci --no-audit --no-fund --loglevel=error)
    node tests/web/play.js "$root/build/web" "$root/build/play"
    # Recordings watched in the page, its pictures against the replay driver's (under xvfb-run).
    exec node tests/web/pictures.js "$root/build/web" "$root/build/play"
    ;;
esac
echo "The page is in build/web/: serve that folder (scripts/web.sh --serve) and open index.html"
