#!/usr/bin/env bash
# Tells which Wine runs the 32-bit product on this machine, once, early: prints "wow64" when
# the WoW64 Wine starts a 32-bit program (scripts/wow64/probe.c exits 42), else "emulated"
# (this CPU or kernel runs no 32-bit code: only running one tells), and says so in one plain
# line on standard error. Needs the prepared root.
#
#   SETUP_WINE32_MODE=wow64|emulated   take that path without probing (default: probe)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
top=$(cd "$here/../.." && pwd)

say() { # mode, why
  case $1 in
    wow64) echo "$2: the 32-bit product is tested under the WoW64 Wine, as on 64-bit Windows" >&2 ;;
    emulated) echo "$2: the 32-bit product is tested under the 32-bit Wine on qemu-i386, as on 32-bit Windows" >&2 ;;
  esac
  echo "$1"
}

case ${SETUP_WINE32_MODE:-auto} in
  wow64 | emulated) say "$SETUP_WINE32_MODE" "SETUP_WINE32_MODE=$SETUP_WINE32_MODE"; exit 0 ;;
  auto) ;;
  *) echo "SETUP_WINE32_MODE is '$SETUP_WINE32_MODE': it must be wow64, emulated or auto" >&2; exit 1 ;;
esac

probe=$(mktemp -d "$top/build/.probe.XXXXXX")
trap 'WINEPREFIX=$probe/prefix timeout 20 "$here/wine" wineserver -k >/dev/null 2>&1 || true; rm -rf "$probe"' EXIT
i686-w64-mingw32-gcc -o "$probe/probe.exe" "$here/probe.c"
rc=0
WINEPREFIX=$probe/prefix WINEDEBUG=-all timeout 60 "$here/wine" "$probe/probe.exe" >/dev/null 2>&1 || rc=$?
if [ "$rc" = 42 ]; then
  say wow64 "This machine runs 32-bit code"
else
  say emulated "This machine runs no 32-bit code (a 32-bit probe program ended with $rc, not 42)"
fi
