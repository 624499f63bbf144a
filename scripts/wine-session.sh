# Sourced by the test, run and benchmark commands: Wine sessions on private prefixes, each
# with a persistent wineserver, and a private Xvfb display when asked. Everything started
# here is stopped in wine_session_stop.
#
# Two Wines, each a setting:
#   wine64  SETUP_WINE64 (Debian 12's Wine 8): the x86_64 test build
#   wow64   SETUP_WINE32 (Wine 10 in WoW64 mode, scripts/wow64/): the 32-bit product
# When SETUP_WINE_USER is set (scripts/test-user.sh), Wine runs as that user.

_wine_session_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${SETUP_WINE64:=/usr/lib/wine/wine64}"
: "${SETUP_WINESERVER64:=/usr/lib/wine/wineserver64}"
: "${SETUP_WINE32:=$_wine_session_top/scripts/wow64/wine}"
: "${SETUP_WINE64_PREFIX:=$_wine_session_top/build/wine-test}"
: "${SETUP_WINE32_PREFIX:=$_wine_session_top/build/wine32-test}"
export SETUP_WINE64 SETUP_WINESERVER64 SETUP_WINE32 SETUP_WINE64_PREFIX SETUP_WINE32_PREFIX
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# Code page 936 unless a run asks for another locale.
export LC_ALL=${SETUP_LOCALE:-zh_CN.utf8}
WINE_SESSION_PIDS=()
WINE_SESSION_KINDS=()

# wine_run KIND PROGRAM ARGS...: runs a Windows program (or, as PROGRAM, wineserver) under
# that Wine, in the prefix that WINEPREFIX names.
wine_run() {
  local kind=$1
  shift
  if [ "$kind" = wow64 ]; then
    "$SETUP_WINE32" "$@"
    return
  fi
  local tool=$SETUP_WINE64
  if [ "${1:-}" = wineserver ]; then
    shift
    tool=$SETUP_WINESERVER64
    [ -x "$tool" ] || tool=$(command -v wineserver || echo /usr/lib/wine/wineserver)
  fi
  if [ -n "${SETUP_WINE_USER:-}" ] && [ "$(id -u)" -eq 0 ]; then
    runuser -u "$SETUP_WINE_USER" -- "$tool" "$@"
  else
    "$tool" "$@"
  fi
}

# wine_prefix KIND: the prefix of that Wine's session.
wine_prefix() {
  if [ "$1" = wow64 ]; then echo "$SETUP_WINE32_PREFIX"; else echo "$SETUP_WINE64_PREFIX"; fi
}

# xvfb_start: a private X display, exported as DISPLAY.
xvfb_start() {
  local display
  for display in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ] || break
  done
  Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  WINE_SESSION_PIDS+=($!)
  export DISPLAY=":$display"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$display" ] && break
    sleep 0.1
  done
}

# wine_session_start KIND [PREFIX]: a persistent wineserver for the prefix (made when
# missing), exported as WINEPREFIX.
wine_session_start() {
  local kind=$1
  export WINEPREFIX=${2:-$(wine_prefix "$kind")}
  mkdir -p "$WINEPREFIX"
  [ -n "${SETUP_WINE_USER:-}" ] && [ "$(id -u)" -eq 0 ] && chown "$SETUP_WINE_USER:" "$WINEPREFIX"
  # A persistent server makes each Wine start take a tenth of a second instead of seconds.
  wine_run "$kind" wineserver -p >/dev/null 2>&1 &
  WINE_SESSION_PIDS+=($!)
  WINE_SESSION_KINDS+=("$kind:$WINEPREFIX")
  [ -f "$WINEPREFIX/system.reg" ] || echo "Preparing the Wine prefix $WINEPREFIX (once)"
  # A fresh prefix now and then comes out empty when its first server is still starting;
  # one more boot fills it.
  for _ in 1 2; do
    wine_run "$kind" wineboot -i >/dev/null 2>&1 || true
    [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] && break
  done
}

wine_session_stop() {
  local entry pid
  for entry in "${WINE_SESSION_KINDS[@]}"; do
    WINEPREFIX=${entry#*:} wine_run "${entry%%:*}" wineserver -k >/dev/null 2>&1 || true
  done
  for pid in "${WINE_SESSION_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${WINE_SESSION_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  WINE_SESSION_PIDS=()
  WINE_SESSION_KINDS=()
}
