#!/usr/bin/env bash
# The products must run on a fresh Windows and load nothing from the folder they are started
# from: GUI programs (the 32-bit edition a PE32, the 64-bit edition a PE32+) that import only
# Windows' KnownDLLs, which Windows always takes from System32. Any other DLL in the import
# table (comctl32, version, ...) is searched for beside SetUp.exe first, in a download folder
# where anyone may have put one. Arguments: the 32-bit and the 64-bit edition's SetUp.exe.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exe32=${1:-$top/build/i686/SetUp.exe}
exe64=${2:-$top/build/x86_64-edition64/SetUp.exe}
# Windows' KnownDLLs (HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\KnownDLLs of
# Windows 10 and 11, with ntdll and kernelbase, which the loader always takes from System32).
# What the products import today is on Windows 7's list as well.
known_dlls='^(advapi32|clbcatq|combase|comdlg32|coml2|difxapi|gdi32|gdi32full|imagehlp|imm32|kernel32|kernelbase|msctf|msvcrt|normaliz|nsi|ntdll|ole32|oleaut32|psapi|rpcrt4|sechost|setupapi|shcore|shell32|shlwapi|ucrtbase|user32|wldap32|ws2_32)\.dll$'
status=0
check() { # exe, magic
  local exe=$1 magic=$2 headers dll
  headers=$(x86_64-w64-mingw32-objdump -p "$exe") || { echo "cannot read $exe"; status=1; return; }
  grep -q "Magic.*($magic)\$" <<<"$headers" || { echo "not a $magic executable: $exe"; status=1; }
  grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || { echo "not a GUI program: $exe"; status=1; }
  local imports
  imports=$(sed -n 's/.*DLL Name: //p' <<<"$headers")
  while read -r dll; do
    grep -qiE "$known_dlls" <<<"$dll" ||
      { echo "$exe imports $dll, which is no KnownDLL: load it at run time from System32"; status=1; }
  done <<<"$imports"
  echo "$exe: $magic GUI program, imports: $(tr '\n' ' ' <<<"$imports")"
}
check "$exe32" PE32
check "$exe64" PE32+
exit $status
