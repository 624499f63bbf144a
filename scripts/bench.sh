#!/usr/bin/env bash
# Benchmark (not a test): times, under Debian 12's wine64 in a private prefix
# (build/wine-bench), the dialog's whole Install (click on Install to completion screen) of
# a package of 100 files of 2 MB against a plain CopyFileA loop over the same files, and the
# time from SetUp.exe's start to its dialog with 0 and with 1,000 AutoCAD product keys in the
# registry. Builds what it needs in build/x86_64.
#
#   bash scripts/bench.sh          BENCH_RUNS=n sets the number of runs (default 11)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build/x86_64
bench=$top/build/bench
runs=${BENCH_RUNS:-11}

cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64.cmake" >/dev/null
cmake --build "$build" --target SetUp copy_bench -j 2 >/dev/null

source "$top/scripts/wine-session.sh"
trap wine_session_stop EXIT
[ -n "${DISPLAY:-}" ] || xvfb_start # the dialog needs a display
wine_session_start wine64 "$top/build/wine-bench"
wine() { wine_run wine64 "$@"; }

# The package: SetUp.exe beside a Data folder of 100 files of 2 MB.
mkdir -p "$bench/Data"
cp "$build/SetUp.exe" "$bench/SetUp.exe"
for i in $(seq -w 1 100); do
  file=$bench/Data/part$i.bin
  [ "$(stat -c %s "$file" 2>/dev/null || echo 0)" = 2097152 ] || head -c 2097152 /dev/urandom >"$file"
done
exe=$build/copy_bench.exe
win() { wine winepath -w "$1" 2>/dev/null; }

echo "Under $(wine --version), $(nproc) cores, $runs runs each:"

keys() { # the AutoCAD product keys: none, or 1,000 spread over the releases
  wine reg delete 'HKLM\SOFTWARE\Autodesk' /f >/dev/null 2>&1 || true
  [ "$1" -gt 0 ] || return 0
  local reg=$bench/keys.reg i year
  {
    echo "Windows Registry Editor Version 5.00"
    for i in $(seq 1 "$1"); do
      year=$((2007 + i % 21))
      echo
      echo "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Autodesk\\AutoCAD\\R$((17 + i % 21)).0\\ACAD-$i:804]"
      echo "\"ProductName\"=\"AutoCAD $year\""
      echo "\"AcadLocation\"=\"C:\\\\Program Files\\\\AutoCAD $year ($i)\""
    done
  } | sed 's/$/\r/' >"$reg"
  wine regedit /S "$(win "$reg")"
}
keys 0 # the benchmark program adds the one AutoCAD that Install serves
wine "$exe" install "$(win "$bench")" "$runs"
for count in 0 1000; do
  keys "$count"
  printf '%5d product keys: ' "$count"
  wine "$exe" start "$(win "$build/SetUp.exe")" "$runs"
done
keys 0
