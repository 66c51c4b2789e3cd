#!/usr/bin/env bash
# Installs the Debian packages the build, the game and the tests need, when any is missing.
# Usage: scripts/install-deps.sh [windows]
set -euo pipefail

packages=(cmake ninja-build g++ pkg-config libsdl2-dev libgl1-mesa-dev libglu1-mesa-dev
  libgl1-mesa-dri libfreetype-dev libfontconfig-dev libpng-dev googletest libgtest-dev nlohmann-json3-dev
  xvfb xauth xdotool x11-apps xfonts-base fonts-paratype fonts-roboto fonts-dejavu-extra fonts-yanone-kaffeesatz
  clang libclang-rt-14-dev python3)
if [ "${1:-}" = windows ]; then
  # The cross compiler and the package, and Wine with what it needs to run the package here.
  packages+=(g++-mingw-w64-x86-64 zip wine wine64 fonts-wine fonts-liberation locales)
fi

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
