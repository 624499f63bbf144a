#!/usr/bin/env bash
# Prints what the installer left in the demo prefix ($WINEPREFIX): the installed package,
# the settings file, the support files in each AutoCAD folder, the demand-load entries and
# the trusted paths of every profile.
set -uo pipefail
: "${WINEPREFIX:?start the Wine session first}"
c=$WINEPREFIX/drive_c
wine=${SETUP_WINE32:-$(dirname "${BASH_SOURCE[0]}")/../wow64/wine}
reg_query() { "$wine" reg query "$@" 2>/dev/null | tr -d '\r' | grep -av '^$'; }

echo
echo "== What was installed"
found=0
while IFS= read -r folder; do
  found=1
  echo "-- Package files in C:${folder#$c}" | tr '/' '\\'
  ls -1 "$folder" | sed 's/^/   /'
done < <(find "$c" -maxdepth 4 -type d -name V-ZiruzOrav 2>/dev/null)
[ "$found" = 1 ] || echo "No install folder V-ZiruzOrav was created (the installation did not run)."

settings=$(find "$c/users" -path '*/Vornik/*' -iname 'vornik.ini' 2>/dev/null | head -1)
[ -n "$settings" ] && echo "-- Settings file: C:${settings#$c}" | tr '/' '\\'

echo "-- Support files in the AutoCAD folders"
while IFS= read -r acad; do
  echo "   C:${acad#$c}" | tr '/' '\\'
  (cd "$acad" && find . \( -iname 'Vornik_*.shx' -o -iname 'itextsharp.dll' -o -iname 'ACAD*P.dll' \
      -o -iname 'pdfplot9.hdi' \) | sed 's|^\./|     |' | tr '/' '\\')
done < <(find "$c" -maxdepth 4 -type f -name acad.exe.txt -printf '%h\n' 2>/dev/null | sort)

echo "-- Demand-load entries (HKEY_LOCAL_MACHINE)"
for base in 'HKLM\SOFTWARE\Autodesk\AutoCAD' 'HKLM\SOFTWARE\Wow6432Node\Autodesk\AutoCAD'; do
  reg_query "$base" /s | awk '/\\Applications\\/ { print "   " $0; show = 1; next }
                               /^HK/ { show = 0 } show { print "     " $0 }'
done
echo "-- Trusted paths (HKEY_CURRENT_USER)"
reg_query 'HKCU\Software\Autodesk\AutoCAD' /s | awk '/\\Variables$/ { key = $0 }
  /TRUSTEDPATHS/ { print "   " key; print "     " $0 }'
