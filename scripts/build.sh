#!/usr/bin/env bash
# Builds the product with its Windows and end-to-end tests (build/i686), the 64-bit edition's
# product (build/x86_64-edition64) and the native build with sanitizers (build/native). Extra
# arguments go to every CMake configure.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc)

configure() { # dir, extra args...
  local dir=$1; shift
  cmake -S "$top" -B "$top/build/$dir" -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}
configure i686 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686.cmake" "$@"
configure x86_64-edition64 -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-x86_64.cmake" \
  -DSETUP_TARGET_BITS=64 "$@"
configure native -DCMAKE_BUILD_TYPE=Debug "$@"
for dir in native i686 x86_64-edition64; do
  echo "== build/$dir"
  cmake --build "$top/build/$dir" -j "$jobs"
done
