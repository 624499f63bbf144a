#!/usr/bin/env bash
# Fills the running demo Wine prefix ($WINEPREFIX, started by wine_session_start) with a few
# AutoCAD installations as the installer finds them: product keys with AcadLocation and
# ProductName under HKEY_LOCAL_MACHINE, program folders with Fonts sub-folders, and a user
# profile under HKEY_CURRENT_USER.
#
#   prepare_prefix.sh [decorated]   "undecorated": Wine draws the window frames itself
#                                   (for a display without a window manager)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${WINEPREFIX:?start the Wine session first}"
frames=${1:-decorated}
font=${SETUP_DEMO_FONT:-AR PL SungtiL GB}

# As on 64-bit Windows: a 32-bit AutoCAD registers in the registry's 32-bit view (the
# Wow6432Node of a 64-bit program such as regedit) with its folder under Program Files (x86);
# a 64-bit one in the 64-bit view. A 32-bit Windows (WINEARCH=win32) has one view, one
# Program Files and no 64-bit AutoCAD.
# year, release key, product key, view, folder below C:\
programs32="Program Files (x86)"
[ "${WINEARCH:-}" = win32 ] && programs32="Program Files"
installations=(
  "2008 R17.1 ACAD-6001:804 32 $programs32\\AutoCAD 2008"
  "2010 R18.0 ACAD-8001:804 32 $programs32\\AutoCAD 2010"
  "2014 R19.1 ACAD-D001:804 32 $programs32\\Autodesk\\AutoCAD 2014"
)
[ "${WINEARCH:-}" = win32 ] ||
  installations+=("2018 R22.0 ACAD-1001:804 64 Program Files\\Autodesk\\AutoCAD 2018")

# Wine's own faces for captions and frame buttons (fonts-wine), where the prefix lacks them,
# and the stand-in for 宋体: the demo's Wine runs in its own root and sees the prefix's fonts.
for face_file in /usr/share/wine/fonts/{marlett,tahoma,tahomabd}.ttf \
  /usr/share/fonts/truetype/arphic-gbsn00lp/gbsn00lp.ttf; do
  if [ -f "$face_file" ] && [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/$(basename "$face_file")" ]; then
    cp "$face_file" "$WINEPREFIX/drive_c/windows/Fonts/"
  fi
done

# Inside the prefix, where the Wine of the demo (in its own root) can read it.
reg=$(mktemp "$WINEPREFIX/drive_c/demo-XXXXXX.reg")
trap 'rm -f "$reg" "$reg.utf16"' EXIT
{
  echo "Windows Registry Editor Version 5.00"
  echo
  for entry in "${installations[@]}"; do
    read -r year release product view folder <<<"$entry"
    base='HKEY_LOCAL_MACHINE\SOFTWARE\Autodesk\AutoCAD'
    [ "$view" = 32 ] && [ "${WINEARCH:-}" != win32 ] &&
      base='HKEY_LOCAL_MACHINE\SOFTWARE\Wow6432Node\Autodesk\AutoCAD'
    location="C:\\\\${folder//\\/\\\\}"
    echo "[$base\\$release\\$product]"
    echo "\"ProductName\"=\"AutoCAD $year - 简体中文 (Simplified Chinese)\""
    echo "\"AcadLocation\"=\"$location\""
    echo
    profile="HKEY_CURRENT_USER\\Software\\Autodesk\\AutoCAD\\$release\\$product\\Profiles\\<<Unnamed Profile>>\\Variables"
    echo "[$profile]"
    echo "\"TRUSTEDPATHS\"=\"\""
    echo
    mkdir -p "$WINEPREFIX/drive_c/${folder//\\//}/Fonts"
    [ "$year" = 2008 ] && mkdir -p "$WINEPREFIX/drive_c/${folder//\\//}/Drv"
    printf 'DEMO PLACEHOLDER for an installed AutoCAD %s\r\n' "$year" \
      >"$WINEPREFIX/drive_c/${folder//\\//}/acad.exe.txt"
  done
  # The dialog asks for the font 宋体; the demo maps it onto a Song face of the same
  # proportions (fonts-arphic-gbsn00lp), so the dialog units come out as on Windows.
  echo '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
  echo "\"宋体\"=\"$font\""
  echo "\"SimSun\"=\"$font\""
  echo
  # Smooth font edges, as a Windows desktop shows them.
  echo '[HKEY_CURRENT_USER\Control Panel\Desktop]'
  echo '"FontSmoothing"="2"'
  echo '"FontSmoothingType"=dword:00000001'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]'
  if [ "$frames" = undecorated ]; then
    echo '"Decorated"="N"'
  else
    echo '"Decorated"=-'
  fi
} | sed 's/$/\r/' >"$reg"
# regedit reads a Unicode file with a byte-order mark as UTF-16.
{ printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg"; } >"$reg.utf16"
wine=${SETUP_WINE32:-$here/../wow64/wine}
"$wine" regedit /S "C:\\$(basename "$reg.utf16")"
if [ "${WINEARCH:-}" = win32 ]; then
  echo "Demo AutoCAD installations: 2008, 2010 and 2014 (32-bit Windows)"
else
  echo "Demo AutoCAD installations: 32-bit 2008, 2010 and 2014; 64-bit 2018"
fi
