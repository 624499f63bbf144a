#!/usr/bin/env bash
# The product must run on a fresh Windows: a 32-bit GUI program that imports Windows system
# DLLs only (no MinGW runtime DLL beside it).
set -euo pipefail
exe=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/i686/SetUp.exe}
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
status=0
grep -q 'Magic.*(PE32)$' <<<"$headers" || { echo "not a PE32 executable: $exe"; status=1; }
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "not a GUI program: $exe"; status=1; }
system_dlls='^(advapi32|comctl32|gdi32|kernel32|msvcrt|ole32|oleaut32|shell32|user32|uuid)\.dll$'
while read -r dll; do
  if ! grep -qiE "$system_dlls" <<<"$dll"; then
    echo "imports a DLL that Windows does not ship: $dll"
    status=1
  fi
done < <(sed -n 's/.*DLL Name: //p' <<<"$headers")
[ $status = 0 ] && echo "product: PE32 GUI program, imports: $(sed -n 's/.*DLL Name: //p' <<<"$headers" | tr '\n' ' ')"
exit $status
