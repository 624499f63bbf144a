#!/usr/bin/env bash
# Runs a Windows test program under 64-bit Wine in the project's private prefix.
# scripts/test.sh prepares the prefix, the wineserver and the display and exports them;
# run by hand, the defaults below match what it uses.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX=${WINEPREFIX:-$here/build/wine-test}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export LC_ALL=${SETUP_TEST_LOCALE:-${LC_ALL:-zh_CN.utf8}}
exec /usr/lib/wine/wine64 "$@"
