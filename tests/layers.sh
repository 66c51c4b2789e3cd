#!/usr/bin/env bash
# Includes run one way, tools -> app -> game -> render -> platform, and the layer's own header
# (platform/layer.h) stays inside platform/: the programs reach the layer through host.h.
# Usage: layers.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"
rank() { case "$1" in tools) echo 5;; app) echo 4;; game) echo 3;; render) echo 2;; platform) echo 1;; esac; }
status=0
while IFS=: read -r file _ text; do
  from=${file%%/*}
  to=$(sed -n 's/.*#include *"\([a-z]*\)\/.*/\1/p' <<<"$text")
  if [ "$(rank "$to")" -gt "$(rank "$from")" ] ||
     { [ "$from" != platform ] && [[ $text == *'"platform/layer.h"'* ]]; }; then
    echo "$file includes ${text#*#include } against the layers"
    status=1
  fi
done < <(grep -rn -E '#include *"(tools|app|game|render|platform)/' app game render platform tools)
exit $status
