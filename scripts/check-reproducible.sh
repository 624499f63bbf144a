#!/usr/bin/env bash
# Builds the product (i686 SetUp.exe) twice from this tree's files, each copy of the sources
# and its build in a temporary folder of another name and length, and checks that the two
# files are byte-identical. Extra arguments go to both CMake configures.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
jobs=$(nproc)

built=()
for dir in one "the second build"; do
  mkdir -p "$work/$dir/src"
  git -C "$top" ls-files -z --cached --others --exclude-standard | tar -C "$top" --null -T - -cf - | tar -C "$work/$dir/src" -xf -
  cmake -S "$work/$dir/src" -B "$work/$dir/out" \
    -DCMAKE_TOOLCHAIN_FILE="$work/$dir/src/cmake/toolchain-i686.cmake" -DSETUP_TESTS=OFF "$@" \
    >/dev/null
  cmake --build "$work/$dir/out" --target SetUp -j "$jobs" >/dev/null
  built+=("$work/$dir/out/SetUp.exe")
done
if cmp "${built[0]}" "${built[1]}"; then
  echo "reproducible: both builds give the same SetUp.exe ($(stat -c %s "${built[0]}") bytes)"
else
  echo "NOT reproducible: the two builds of SetUp.exe differ" >&2
  exit 1
fi
