#!/usr/bin/env bash
# Includes run one way, programs -> tools -> app -> game -> render -> platform. Inside platform/
# the layer (layer/) names no host and no SDL, and no host (desktop/, scripted/, web/) another:
# each reaches the layer through the host record and what of it is theirs (layer/for_hosts.h),
# not its insides, and the desktop's and the scripted one fill their window and OpenGL entries
# from SDL's video (sdl_video/), which knows nothing of the layer or the hosts (the page's host
# has the canvas instead). The controller mapping (gamepad/) stands alone, for the hosts and the
# Windows build (win32/); the player's controls (controls/) stand on it alone, as do the holding
# of taps (taps/) for the layer and the Windows build, the drawing that can be switched off
# (nullgl/), and OpenGL for the browser (webgl/). The programs' entries and the tools reach
# platform/ only through its headers on top and the hosts' own for programs; the replay driver's
# entry also switches the drawing, and the glyph generator makes and writes the layer's glyph
# geometry for the page. The page's host (web/) sees its own room, the layer's part for hosts,
# the player's controls, the controller mapping, OpenGL for the browser and the headers on top;
# only the page's entries (programs/web/) include its header for programs. No two files of
# tools/ or programs/ use each other either.
#
# Given a build folder, the calls are checked too, library by library: a symbol one library
# leaves undefined and another of ours defines must come from a library it may call (the rooms
# above, and app -> game -> render -> layer); anything else is the system's.
# Usage: layers.sh [SOURCE_ROOT [BUILD_DIR]]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
build=${2:-}
rank() { case "$1" in programs) echo 6;; tools) echo 5;; app) echo 4;; game) echo 3;; render) echo 2;; platform) echo 1;; esac; }
# The rooms of platform/ a file's room may include: its own, the layer's, the headers on top.
# The hosts see of the layer only its Windows types and what it keeps for them.
allowed() {
  local hosts=0
  [[ $3 == platform/layer/for_hosts.h || $3 == platform/layer/winapi.h ]] && hosts=1
  case "$1" in
    gamepad|nullgl|taps|webgl|sdl_video) [[ $2 == "$1" || $2 == top ]] ;;
    layer) [[ $2 == layer || $2 == taps || $2 == top ]] ;;
    controls) [[ $2 == controls || $2 == gamepad || $2 == top ]] ;;
    desktop) [[ $2 == desktop || $hosts == 1 || $2 == sdl_video || $2 == controls || $2 == gamepad || $2 == top ]] ;;
    scripted) [[ $2 == scripted || $hosts == 1 || $2 == sdl_video || $2 == top ]] ;;
    web) [[ $2 == web || $hosts == 1 || $2 == controls || $2 == gamepad || $2 == webgl || $2 == top ]] ;;
    win32) [[ $2 == win32 || $2 == controls || $2 == gamepad || $2 == taps || $2 == top ]] ;;
    top) true ;;
    *) false ;;  # a room without rules here may include nothing of platform/ until it is given them
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
    allowed "$(room "$file")" "$(room "$path")" "$path" || wrong=1
  elif [ "$to" = platform ]; then
    case "$path" in
      platform/platform.h|platform/host.h|platform/desktop/desktop_host.h) ;;
      platform/scripted/scripted_host.h) ;;
      platform/web/web_host.h) [[ $file == programs/web/* ]] || wrong=1 ;;
      platform/nullgl/null_gl.h) [ "$file" = programs/replay/main.cpp ] || wrong=1 ;;
      platform/layer/glyph_geometry.h|platform/layer/glyph_file.h) [[ $file == tools/glyphgen/* ]] || wrong=1 ;;
      *) wrong=1 ;;
    esac
  fi
  if [ -n "$wrong" ]; then
    echo "$file includes $path against the layers"
    status=1
  fi
done < <(grep -rn -E '#include *"(programs|tools|app|game|render|platform)/' app game render platform tools \
  programs)
# The layer is written against the host record alone: no SDL header.
while IFS= read -r line; do
  echo "$line: the layer includes SDL"
  status=1
done < <(grep -rn -E '#include *<SDL' platform/layer || true)
# Nor do two files of the tools and programs use each other (a.cpp includes b.h, and b.cpp a.h):
# one of them is the lower.
while read -r a b; do
  echo "$a and $b use each other"
  status=1
done < <(grep -rn -E '#include *"[^"]*\.h"' --include=*.cpp tools programs |
  sed -E 's#^([^:]*)\.cpp:[0-9]+:.*"([^"]*)\.h".*#\1 \2#' |
  awk '$1 != $2 { used[$1 " " $2] = 1 }
       END { for (k in used) { split(k, p, " "); if (p[1] < p[2] && (p[2] " " p[1]) in used) print p[1], p[2] } }')

# The libraries (trimvald_NAME) each library may call; the tools' own are not checked.
calls() {
  case "$1" in
    taps|gamepad|null_gl|webgl|sdl_video) false ;;
    controls) [[ $2 == gamepad ]] ;;
    layer) [[ $2 == taps ]] ;;
    desktop) [[ $2 == layer || $2 == sdl_video || $2 == taps || $2 == controls || $2 == gamepad ]] ;;
    scripted) [[ $2 == layer || $2 == sdl_video || $2 == taps ]] ;;
    render) [[ $2 == layer || $2 == taps ]] ;;
    game) [[ $2 == render || $2 == layer || $2 == taps ]] ;;
    app) [[ $2 == game || $2 == render || $2 == layer || $2 == taps ]] ;;
  esac
}
if [ -n "$build" ]; then
  # A library the build makes that this check does not know is refused until it is given its
  # rules.
  while read -r lib; do
    case " taps gamepad controls null_gl webgl layer sdl_video desktop scripted web win32 render game app script record replay formats " in
      *" $lib "*) ;;
      *) echo "trimvald_$lib is a library tests/layers.sh has no rules for"; status=1 ;;
    esac
  done < <(find . -path ./build -prune -o \( -name CMakeLists.txt -o -name '*.cmake' \) -print0 |
           xargs -0 sed -n 's/.*add_library(trimvald_\([a-z0-9_]*\).*/\1/p' | sort -u)
  declare -A owner
  for lib in taps gamepad controls null_gl webgl layer sdl_video desktop scripted render game app script record replay; do
    archive=$build/libtrimvald_$lib.a
    [ -f "$archive" ] || { echo "$archive is missing"; status=1; continue; }
    # The switchable drawing's own GL entry points stand in for the system's: not its calls.
    while read -r symbol; do
      [[ $lib == null_gl && $symbol != _Z* ]] || owner[$symbol]=$lib
    done < <(nm -g --defined-only "$archive" | awk 'NF == 3 && $2 ~ /^[TDBRC]$/ { print $3 }')
  done
  for lib in taps gamepad controls null_gl webgl layer sdl_video desktop scripted render game app; do
    archive=$build/libtrimvald_$lib.a
    [ -f "$archive" ] || continue
    while read -r symbol; do
      from=${owner[$symbol]:-}
      [ -n "$from" ] && [ "$from" != "$lib" ] || continue
      name=$(c++filt "$symbol")
      if ! calls "$lib" "$from"; then
        echo "trimvald_$lib calls $name of trimvald_$from against the layers"
        status=1
      elif [[ $lib == desktop || $lib == scripted ]] && [ "$from" = layer ]; then
        # A host calls of the layer only what the host record's header and for_hosts.h declare.
        bare=${name%%[(\[]*}
        if ! grep -qw -- "$bare" platform/host.h platform/layer/for_hosts.h; then
          echo "trimvald_$lib calls $name, the layer's own"
          status=1
        fi
      fi
    done < <(nm -u "$archive" | awk '$1 == "U" { print $2 }' | sort -u)
  done
  # Nor does the layer call SDL: its machine is the host's.
  while read -r symbol; do
    echo "trimvald_layer calls $symbol: the layer calls SDL"
    status=1
  done < <(nm -u "$build/libtrimvald_layer.a" | awk '$1 == "U" && $2 ~ /^SDL_/ { print $2 }' | sort -u)
fi
exit $status
