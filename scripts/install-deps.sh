#!/usr/bin/env bash
# Installs the Debian packages that are missing. With no argument: what building and running
# the game needs, nothing more (a player's first start). "test" adds what the test suite needs,
# "windows" also the cross compiler and Wine for the Windows package.
# "web" adds emscripten for the browser build, "webtest" also Debian's Chromium (headless, WebGL
# through SwiftShader), npm and a virtual X server for the browser's tests.
# Usage: scripts/install-deps.sh [test|windows|web|webtest]
set -euo pipefail

# The compiler and build tools, the libraries the game links, the OpenGL driver, the X server's
# core fonts (SDL's X11 dialogs draw with them) and a narrow heavy Cyrillic face for the HUD.
# Xlib is linked for the layer's own X error handler.
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libx11-dev libgl1-mesa-dev libglu1-mesa-dev
  libgl1-mesa-dri libfreetype-dev libfontconfig-dev libpng-dev xfonts-base fonts-yanone-kaffeesatz)
case "${1:-}" in
  '') ;;
  test|windows)
    # GoogleTest, a virtual X server with a window manager, xdotool and xrandr for the
    # end-to-end runs, a Wayland compositor (sway, run headless) and the Wayland client library
    # the virtual mouse and keyboard for it are built with, the other fonts the face choice is
    # tested with, clang for the fuzzer; dpkg-shlibdeps for the Debian package's dependencies,
    # lintian to check the package, and the validators of its desktop entry and AppStream
    # metadata; EGL and OpenGL ES for the browser's fixed-function layer and its test.
    packages+=(googletest libgtest-dev nlohmann-json3-dev libegl-dev libgles-dev xvfb xauth xdotool x11-apps
      x11-utils x11-xserver-utils openbox sway libwayland-dev fonts-paratype fonts-roboto
      fonts-dejavu-extra clang libclang-rt-14-dev python3
      dpkg-dev lintian desktop-file-utils appstream)
    if [ "$1" = windows ]; then
      # The cross compiler and the package, Wine with what it needs to run the package here, and
      # wrestool (icoutils) to check the executable's resources.
      packages+=(g++-mingw-w64-x86-64 zip wine wine64 fonts-wine fonts-liberation locales icoutils)
    fi
    ;;
  web|webtest)
    # Emscripten (with its clang, binaryen and node) and iconv's Windows-1251 (libc-bin) for the
    # browser build; python3 serves the page.
    packages+=(emscripten libc-bin python3)
    if [ "$1" = webtest ]; then
      # The replay driver draws the pictures the page's are compared with in a virtual X server.
      packages+=(chromium xvfb xauth)
      # npm comes with the nodejs package of some sources; Debian's is a package of its own.
      command -v npm >/dev/null || packages+=(npm)
    fi
    ;;
  *) echo "usage: $0 [test|windows|web|webtest]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
