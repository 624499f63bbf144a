#!/usr/bin/env bash
# Shows that the release signing works: makes a throw-away certificate authority and code
# signing certificate in a private temporary folder, signs both editions with scripts/sign.sh
# and verifies the signatures against that authority. The builds themselves stay unsigned.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
exes=("${@:-$top/build/i686/SetUp.exe}")
[ $# -gt 0 ] || [ ! -f "$top/build/x86_64-edition64/SetUp.exe" ] ||
  exes+=("$top/build/x86_64-edition64/SetUp.exe")
work=$(mktemp -d) # private: mode 0700
trap 'rm -rf "$work"' EXIT
cd "$work"

export SETUP_SIGN_PASSWORD="throw-away $RANDOM$RANDOM"
openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 \
  -subj "/CN=Throw-away test CA" -addext basicConstraints=critical,CA:TRUE \
  -addext keyUsage=critical,keyCertSign 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout signer.key -out signer.csr \
  -subj "/CN=Throw-away test signer" 2>/dev/null
printf 'extendedKeyUsage=codeSigning\nkeyUsage=critical,digitalSignature\n' >signer.ext
openssl x509 -req -in signer.csr -CA ca.pem -CAkey ca.key -CAcreateserial -days 2 \
  -extfile signer.ext -out signer.pem 2>/dev/null
openssl pkcs12 -export -inkey signer.key -in signer.pem -certfile ca.pem -out signer.pfx \
  -passout env:SETUP_SIGN_PASSWORD

before=$(sha256sum "${exes[@]}")
SETUP_SIGN_PFX=signer.pfx SETUP_SIGN_OUT="$work/signed" "$top/scripts/sign.sh" "${exes[@]}" \
  >/dev/null
status=0
for exe in "${exes[@]}"; do
  signed="$work/signed/$(basename "$(dirname "$exe")")/$(basename "$exe")"
  if osslsigncode verify -CAfile ca.pem -in "$signed" >verify.log 2>&1; then
    echo "signing: $exe signed and verified"
  else
    echo "signing: the signature of $exe does not verify:"; cat verify.log; status=1
  fi
done
[ "$before" = "$(sha256sum "${exes[@]}")" ] || { echo "signing changed the build itself"; status=1; }
exit $status
