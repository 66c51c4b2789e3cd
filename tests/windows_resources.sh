#!/usr/bin/env bash
# The Windows executable carries its icon, its version information (the project's version, the
# Russian product name) and its manifest (Windows 7 to 10/11, the current common controls, no
# elevation).
# Usage: windows_resources.sh PATH/TO/trimvald.exe VERSION
set -euo pipefail
exe=$1
version=$2
[ -f "$exe" ] || { echo "no Windows executable at $exe"; exit 1; }
command -v wrestool >/dev/null || { echo "wrestool is missing: scripts/install-deps.sh windows installs icoutils"; exit 1; }
status=0
fail() { echo "$1"; status=1; }

resources=$(wrestool -l "$exe" 2>/dev/null || true)
grep -q -- "--type=14 .*type=group_icon" <<<"$resources" || fail "no icon group"
grep -q -- "--type=3 .*type=icon" <<<"$resources" || fail "no icon image"

# The fixed part of the version record: file and product version as four 16-bit numbers each.
read -r file product name <<<"$(wrestool -x --raw --type=16 "$exe" 2>/dev/null | python3 -c '
import struct, sys
data = sys.stdin.buffer.read()
at = data.find(struct.pack("<I", 0xFEEF04BD))
if at < 0:
    print("- - -")
    sys.exit()
ms, ls, pms, pls = struct.unpack("<4I", data[at + 8: at + 24])
dotted = lambda hi, lo: f"{hi >> 16}.{hi & 0xffff}.{lo >> 16}.{lo & 0xffff}"
print(dotted(ms, ls), dotted(pms, pls), "yes" if "Тримвальд".encode("utf-16-le") in data else "no")
')"
[ "$file" = "$version.0" ] || fail "file version $file, $version.0 expected"
[ "$product" = "$version.0" ] || fail "product version $product, $version.0 expected"
[ "$name" = yes ] || fail "no product name Тримвальд in the version information"

manifest=$(wrestool -x --raw --type=24 --name=1 "$exe" 2>/dev/null || true)
for needed in 'level="asInvoker"' 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' \
    35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 \
    1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  grep -qF -- "$needed" <<<"$manifest" || fail "the manifest lacks $needed"
done
[ $status -eq 0 ] && echo "resources: icon, version $file, manifest"
exit $status
