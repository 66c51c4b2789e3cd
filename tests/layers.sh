#!/usr/bin/env bash
# Includes run one way, tools -> app -> game -> render -> platform. Inside platform/ the layer
# (winapi/) names no host, and neither host (desktop/, scripted/) the other: each reaches the
# layer through the host record; the controller mapping (gamepad/) stands alone, for the desktop
# host and the Windows build (win32/), as does the holding of taps (taps/) for the layer and the
# Windows build, the drawing that can be switched off (nullgl/), and OpenGL for the browser
# (webgl/). The programs reach platform/ only through its headers on top and the scripted host's
# own; the replay driver's entry also switches the drawing.
# Usage: layers.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
rank() { case "$1" in tools) echo 5;; app) echo 4;; game) echo 3;; render) echo 2;; platform) echo 1;; esac; }
# The rooms of platform/ a file's room may include: its own, the layer's, the headers on top.
allowed() {
  case "$1" in
    gamepad|nullgl|taps|webgl) [[ $2 == "$1" || $2 == top ]] ;;
    winapi) [[ $2 == winapi || $2 == taps || $2 == top ]] ;;
    desktop) [[ $2 == desktop || $2 == winapi || $2 == gamepad || $2 == top ]] ;;
    scripted) [[ $2 == scripted || $2 == winapi || $2 == top ]] ;;
    win32) [[ $2 == win32 || $2 == gamepad || $2 == taps || $2 == top ]] ;;
    *) true ;;
  esac
}
room() {  # platform/desktop/x.cpp -> desktop; platform/host.h -> top
  local rest=${1#platform/}
  [[ $rest == */* ]] && echo "${rest%%/*}" || echo top
}
status=0
while IFS=: read -r file _ text; do
  from=${file%%/*}
  path=$(sed -n 's/.*#include *"\([^"]*\)".*/\1/p' <<<"$text")
  to=${path%%/*}
  wrong=
  if [ "$(rank "$to")" -gt "$(rank "$from")" ]; then
    wrong=1
  elif [ "$to" = platform ] && [ "$from" = platform ]; then
    allowed "$(room "$file")" "$(room "$path")" || wrong=1
  elif [ "$to" = platform ]; then
    case "$path" in
      platform/platform.h|platform/host.h|platform/scripted/scripted_host.h) ;;
      platform/nullgl/null_gl.h) [ "$file" = tools/replay/main.cpp ] || wrong=1 ;;
      *) wrong=1 ;;
    esac
  fi
  if [ -n "$wrong" ]; then
    echo "$file includes $path against the layers"
    status=1
  fi
done < <(grep -rn -E '#include *"(tools|app|game|render|platform)/' app game render platform tools)
exit $status
