#!/usr/bin/env bash
# Every variable the game's rooms can write lives in one of their records (the game state, the
# game's side state, the shell's, the renderer's), each reset by value when the game runs again
# in one process: a variable left outside them would survive that reset unnoticed. The check
# lists the objects in the writable sections of the rooms' libraries (constants live elsewhere).
# Usage: state_records.sh OBJDUMP LIBRARY...
set -euo pipefail
objdump=$1
shift
records=" game gameSide shell renderer "
status=0
for library in "$@"; do
  # objdump -t: flags, section, size, name; objects only (flag O). Names the compiler or a
  # sanitizer makes for itself start with "__" or ".".
  while read -r section name; do
    case "$name" in __* | .*) continue ;; esac
    if [[ $records != *" $name "* ]]; then
      echo "$(basename "$library"): $name ($section) is outside the rooms' records: its reset would miss it"
      status=1
    fi
  done < <("$objdump" -t "$library" | awk '$0 ~ / O / {
      for (i = 1; i <= NF; ++i) if ($i ~ /^\.(data|bss|tdata|tbss)/) { print $i, $NF; break } }' |
    grep -Ev '^\.data\.rel\.ro' || true)
done
exit $status
