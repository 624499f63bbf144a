#!/usr/bin/env bash
# Runs the Windows and end-to-end tests through CTest: the 32-bit test program (build/i686)
# under the Wine that runs the 32-bit product here (SETUP_WINE32_MODE: wow64 or emulated,
# the latter inside scripts/wow64/emulated-session), and the 64-bit one with the 64-bit
# edition's scenarios (build/x86_64-edition64) under the WoW64 Wine. Each Wine gets its
# private prefix and a persistent server; DISPLAY and the test user come from test.sh.
#
# A test that fails is run once more: Wine now and then drops a message posted while a
# window is still being created. A real fault fails both runs. The names of the tests that
# passed only on their second run go to the file RETRIED (one a line), so that the caller can
# show them; a test that needs it more than now and then is a fault to fix. COUNTS gets a
# line "KIND TESTS FAILED" per test program that ran (KIND: product32 or edition64), the
# failures counted after the second run.
#
#   windows-tests.sh RETRIED COUNTS
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
retried=$1 counts=$2
: >"$retried"
: >"$counts"
source "$top/scripts/wine-session.sh"
trap wine_session_stop EXIT
wine_session_start product32
[ "$(wine_kind product32)" = wow64 ] || wine_session_start wow64

status=0
ran() { # CTest's output: how many tests ran
  sed -nE 's/.*tests passed, [0-9]+ tests? failed out of ([0-9]+).*/\1/p' "$1" | tail -1
}
failed_names() { # CTest's output: the names of the tests that failed
  sed -n '/^The following tests FAILED:/,$ s/^[[:space:]]*[0-9]* - \(.*\) ([A-Za-z ]*)$/\1/p' "$1"
}
run() { # kind, build folder: its tests, and a second run of those that failed
  local kind=$1 build=$2 out again first total
  out=$(mktemp) again=$(mktemp)
  if ctest --test-dir "$build" --output-on-failure -j "$(nproc)" | tee "$out"; then
    total=$(ran "$out")
    rm -f "$out" "$again"
    [ -n "$total" ] && [ "$total" != 0 ] || { status=1; return 0; } # no test found: no pass
    echo "$kind $total 0" >>"$counts"
    return 0
  fi
  total=$(ran "$out") first=$(failed_names "$out")
  rm -f "$out"
  # Nothing ran, e.g. the test program could not be started to list its tests.
  if [ -z "$total" ] || [ -z "$first" ]; then
    status=1
    rm -f "$again"
    return 0
  fi
  echo "-- once more: $(tr '\n' ' ' <<<"$first")"
  ctest --test-dir "$build" --output-on-failure --rerun-failed | tee "$again" || status=1
  grep -vxF -f <(failed_names "$again") <<<"$first" >>"$retried" || true
  echo "$kind $total $(failed_names "$again" | grep -c .)" >>"$counts"
  rm -f "$again"
}
echo "-- the 32-bit product ($(wine_kind product32) Wine)"
run product32 "$top/build/i686"
echo "-- the 64-bit edition (wow64 Wine)"
run edition64 "$top/build/x86_64-edition64"
exit $status
