#!/usr/bin/env bash
# Runs a Windows test program under Wine in the project's private prefix:
#   wine-run.sh product32 PROGRAM ARGS...  the 32-bit product's build, under the Wine that
#                                          runs it here (SETUP_WINE32_MODE)
#   wine-run.sh wow64 PROGRAM ARGS...      the 64-bit edition's build (Wine 10 in WoW64 mode)
#   wine-run.sh wine64 PROGRAM ARGS...     Debian 12's Wine
# scripts/test.sh prepares the prefixes, the wineservers, the display and the test user and
# exports them; run by hand, the defaults of scripts/wine-session.sh apply.
kind=$1
shift
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-session.sh"
export LC_ALL=${SETUP_TEST_LOCALE:-$LC_ALL}
WINEPREFIX=$(wine_prefix "$kind")
export WINEPREFIX
wine_run "$kind" "$@"
