#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan) into build/fuzz and runs each for
# the given seconds (default 60), starting from the seeds in tests/fuzz/corpus. What they
# find new goes to build/fuzz/corpus; a finding stops the run, its input in build/fuzz.
#
#   scripts/fuzz.sh [seconds-per-target]     (scripts/fuzz.sh 5: the short run of the tests)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-60}
build=$top/build/fuzz

"$top/scripts/install-deps.sh"
cmake -S "$top/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null

total=0
for seeds in "$top"/tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  mkdir -p "$build/corpus/$target"
  log=$build/$target.log
  if ! "$build/fuzz_$target" -max_total_time="$seconds" -max_len=1024 -print_final_stats=1 \
      -artifact_prefix="$build/$target-" "$build/corpus/$target" "$seeds" >"$log" 2>&1; then
    tail -n 30 "$log"
    echo "fuzz_$target: FINDING (input saved as $build/$target-*)"
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  total=$((total + runs))
  echo "fuzz_$target: $runs executions, no finding"
done
echo "all targets: $total executions, no finding"
