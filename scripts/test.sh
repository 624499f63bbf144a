#!/usr/bin/env bash
# Installs what is missing, builds the three builds and runs every test: the native unit
# tests under the sanitizers, a short run of each fuzz target, and the Windows and
# end-to-end tests of the products under Wine 10, with private prefixes, on a private X
# display, as an unprivileged user. Where this machine runs 32-bit code the 32-bit product
# runs under the WoW64 Wine (64-bit Windows); where it runs none, under the 32-bit Wine on
# qemu-i386 (32-bit Windows). scripts/wow64/probe.sh tells which, or SETUP_WINE32_MODE.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

"$top/scripts/install-deps.sh"
"$top/scripts/wow64/prepare-root.sh"
mkdir -p "$top/build"
SETUP_WINE32_MODE=$("$top/scripts/wow64/probe.sh")
export SETUP_WINE32_MODE
[ "$SETUP_WINE32_MODE" = wow64 ] || "$top/scripts/wow64/prepare-root.sh" emulated
"$top/scripts/build.sh"

source "$top/scripts/wow64/settings.sh"
source "$top/scripts/test-user.sh"
test_user_prepare "$top"
source "$top/scripts/wine-session.sh"
trap wine_session_stop EXIT
xvfb_start

status=0
logs=$(mktemp -d)
echo "== product"
"$top/scripts/check-product.sh" || status=1
"$top/scripts/check-layers.sh" || status=1
"$top/scripts/check-signing.sh" || status=1
"$top/scripts/check-reproducible.sh" || status=1
echo "== native tests"
ctest --test-dir "$top/build/native" --output-on-failure -j "$(nproc)" | tee "$logs/native" ||
  status=1
sed -nE 's/.*tests passed, ([0-9]+) tests? failed out of ([0-9]+).*/native \2 \1/p' "$logs/native" \
  >"$logs/counts"
echo "== fuzz targets (short run)"
"$top/scripts/fuzz.sh" 5 || status=1
echo "== Windows and end-to-end tests (the products under Wine)"
retried=$top/build/windows-tests.retried
windows=("$top/scripts/windows-tests.sh" "$retried" "$logs/windows")
[ "$SETUP_WINE32_MODE" = wow64 ] || windows=("$top/scripts/wow64/emulated-session" "${windows[@]}")
"${windows[@]}" || status=1

echo "== summary"
if [ -s "$retried" ]; then
  echo "Passed only when run a second time: $(tr '\n' ' ' <"$retried")"
else
  echo "No test needed a second run."
fi
case $SETUP_WINE32_MODE in
  wow64) windows="64-bit Windows (the WoW64 Wine)" ;;
  *) windows="32-bit Windows (the 32-bit Wine, emulated on qemu-i386)" ;;
esac
if grep -q '^product32 ' "$logs/windows" 2>/dev/null; then
  echo "The shipped 32-bit SetUp.exe was tested here on $windows."
else
  echo "The shipped 32-bit SetUp.exe was not tested here: its Windows tests did not run."
fi
# The native and Windows tests' counts in one closing line.
passed=0 failed=0
while read -r _ total bad; do
  passed=$((passed + total - bad)) failed=$((failed + bad))
done < <(cat "$logs/counts" "$logs/windows" 2>/dev/null)
rm -rf "$logs"
echo "$passed passed, $failed failed"
exit $status
