#!/usr/bin/env bash
# Runs the installer as a user meets it: installs what is missing, builds the product (the
# 32-bit SetUp.exe), prepares a private demo Wine prefix (build/wine-demo) with a few AutoCAD
# installations "installed", lays out a demo package (build/i686/demo: SetUp.exe and a Data
# folder of placeholder files) and starts SetUp.exe from it. Where this machine runs 32-bit
# code the demo is 64-bit Windows (Wine 10 in WoW64 mode) with 32-bit AutoCAD 2008, 2010 and
# 2014 and a 64-bit AutoCAD 2018; where it runs none, 32-bit Windows (the 32-bit Wine on
# qemu-i386) with the three 32-bit ones (scripts/wow64/probe.sh tells, or SETUP_WINE32_MODE).
#
# With DISPLAY set, the dialog opens on that display: install (or cancel) as a user would;
# the command ends when the dialog is closed. Without one, it runs under a private Xvfb and
# the installation is done for you into C:\Vornik. Either way PNG screenshots of the
# selection screen (and, when driven, of the completion screen) are saved, and afterwards
# the command prints what was installed where: files, demand-load entries, trusted paths.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build/i686
shot=${SETUP_SCREENSHOT:-$top/build/setup-dialog.png}
shot_done=${shot%.png}-complete.png

if [ "${1:-}" != --session ]; then
  "$top/scripts/install-deps.sh"
  "$top/scripts/wow64/prepare-root.sh"
  # The demo's stand-in for the dialog font 宋体 (a Song face with its proportions).
  if ! dpkg-query -W -f='${Status}' fonts-arphic-gbsn00lp 2>/dev/null | grep -q 'ok installed'; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
      fonts-arphic-gbsn00lp >/dev/null
  fi
  mkdir -p "$top/build"
  SETUP_WINE32_MODE=$("$top/scripts/wow64/probe.sh")
  export SETUP_WINE32_MODE
  cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$top/cmake/toolchain-i686.cmake" >/dev/null
  cmake --build "$build" --target demo demo_driver -j 2
  if [ "$SETUP_WINE32_MODE" = emulated ]; then
    "$top/scripts/wow64/prepare-root.sh" emulated
    echo "The demo runs on the 32-bit Wine, emulated on qemu-i386: a 32-bit Windows"
    exec "$top/scripts/wow64/emulated-session" "$0" --session
  fi
  echo "The demo runs on the WoW64 Wine: a 64-bit Windows"
fi
driver=$build/demo_driver.exe

source "$top/scripts/wow64/settings.sh"
source "$top/scripts/wine-session.sh"
trap wine_session_stop EXIT
prefix=$top/build/wine-demo
if [ "$(wine_kind product32)" = win32 ]; then
  prefix=$top/build/wine-demo-win32
  export WINEARCH=win32 # for the demo scripts, which run the root's Wine themselves
fi
if [ -n "${DISPLAY:-}" ]; then
  private_display=0
  wine_session_start product32 "$prefix"
  bash "$top/scripts/demo/prepare_prefix.sh" decorated
else
  private_display=1
  xvfb_start
  wine_session_start product32 "$prefix"
  # No window manager there: Wine draws the caption and frame itself.
  bash "$top/scripts/demo/prepare_prefix.sh" undecorated
fi

wine_run product32 "$build/demo/SetUp.exe" &
setup_pid=$!

# The dialog's X window: the largest window of the program (Wine names the class after the
# executable).
find_dialog() {
  xwininfo -root -tree 2>/dev/null | grep -i '("setup.exe"' |
    sed -E 's/^ *(0x[0-9a-f]+) .* ([0-9]+)x([0-9]+)[+-][0-9]+[+-][0-9]+ .*$/\2 \3 \1/' |
    awk '$1 > 100 && $2 > 100 { print $1 * $2, $3 }' | sort -n | tail -1 | cut -d' ' -f2
}
window=""
for _ in $(seq 100); do
  window=$(find_dialog || true)
  [ -n "$window" ] && break
  kill -0 "$setup_pid" 2>/dev/null || { echo "SetUp.exe ended before showing its dialog" >&2; exit 1; }
  sleep 0.2
done
[ -n "$window" ] || { echo "The setup dialog did not appear" >&2; exit 1; }
sleep 1.5 # let it paint
mkdir -p "$(dirname "$shot")"
import -display "$DISPLAY" -window "$window" "$shot"
echo "Screenshot of the setup dialog: $shot"

if [ "$private_display" = 1 ]; then
  # No one at this display: install into the default folder and finish.
  wine_run product32 "$driver" install 'C:\Vornik'
  sleep 1
  import -display "$DISPLAY" -window "$window" "$shot_done"
  echo "Screenshot of the completion screen: $shot_done"
  wine_run product32 "$driver" finish
else
  echo "Install (or cancel) in the dialog; this command goes on when it is closed."
fi
wait "$setup_pid" || true
bash "$top/scripts/demo/report.sh"
echo "Windows' list of programs in the demo prefix (wine uninstaller --list):"
wine_run product32 uninstaller --list || true
# Wine 10's uninstaller prints no line for a display name outside ASCII (ours is Chinese), so
# the entry itself is shown as well; reg writes in the console's code page, GBK here.
view=(/reg:64)
[ "$(wine_kind product32)" = wow64 ] || view=() # a 32-bit Windows has one view
wine_run product32 reg query \
  'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vornik V-ZiruzOrav' "${view[@]}" |
  iconv -f GBK -t UTF-8 2>/dev/null || true
