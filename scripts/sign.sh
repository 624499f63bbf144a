#!/usr/bin/env bash
# Signs the products for a release (Authenticode, SHA-256) with osslsigncode:
#
#   SETUP_SIGN_PFX=release.pfx SETUP_SIGN_PASSWORD=... [SETUP_SIGN_TIMESTAMP=http://...] \
#     scripts/sign.sh [SetUp.exe ...]
#
# SETUP_SIGN_PFX is the PKCS#12 file with the signing certificate, its chain and its key;
# SETUP_SIGN_PASSWORD its password, handed to osslsigncode on a pipe, never on a command line;
# SETUP_SIGN_TIMESTAMP an RFC 3161 time-stamp server, so that the signature stays valid after
# the certificate expires (a release should have one). Without arguments it signs both
# editions, build/i686/SetUp.exe and build/x86_64-edition64/SetUp.exe. Each signed copy goes
# to build/signed/<folder of the input>/ (SETUP_SIGN_OUT names another base): the builds stay
# unsigned, so that the reproducible check still compares them byte for byte.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${SETUP_SIGN_PFX:?the PKCS#12 file of the signing certificate}"
: "${SETUP_SIGN_PASSWORD?its password (may be empty)}"
out=${SETUP_SIGN_OUT:-$top/build/signed}
[ $# -gt 0 ] || set -- "$top/build/i686/SetUp.exe" "$top/build/x86_64-edition64/SetUp.exe"

timestamp=()
[ -z "${SETUP_SIGN_TIMESTAMP:-}" ] || timestamp=(-ts "$SETUP_SIGN_TIMESTAMP")
for exe in "$@"; do
  signed="$out/$(basename "$(dirname "$exe")")/$(basename "$exe")"
  mkdir -p "$(dirname "$signed")"
  rm -f "$signed"
  printf '%s' "$SETUP_SIGN_PASSWORD" |
    osslsigncode sign -pkcs12 "$SETUP_SIGN_PFX" -readpass /dev/stdin -h sha256 \
      -n "Vornik批打印软件" "${timestamp[@]}" -in "$exe" -out "$signed" >/dev/null
  echo "signed: $signed"
done
