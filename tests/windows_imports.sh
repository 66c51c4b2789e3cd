#!/usr/bin/env bash
# The Windows executable imports only system DLLs (the C++ runtime is linked in statically).
# Usage: windows_imports.sh PATH/TO/trimvald.exe
set -euo pipefail
exe=$1
if [ ! -f "$exe" ]; then
  echo "no Windows executable at $exe: build the windows preset first (scripts/test.sh does)"
  exit 1
fi
if ! command -v x86_64-w64-mingw32-objdump >/dev/null; then
  echo "x86_64-w64-mingw32-objdump is missing: scripts/install-deps.sh windows installs it"
  exit 1
fi
# SHELL32 splits the command line as Windows does (CommandLineToArgvW).
allowed=" GDI32.dll GLU32.dll KERNEL32.dll msvcrt.dll OPENGL32.dll SHELL32.dll USER32.dll WINMM.dll "
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
[ -n "$imports" ] || { echo "no imports found in $exe"; exit 1; }
status=0
for dll in $imports; do
  case "$allowed" in
    *" $dll "*) ;;
    *) echo "unexpected import: $dll"; status=1 ;;
  esac
done
for needed in OPENGL32.dll GLU32.dll WINMM.dll USER32.dll; do
  grep -qx "$needed" <<<"$imports" || { echo "missing import: $needed"; status=1; }
done
echo "imports:" $imports
exit $status
