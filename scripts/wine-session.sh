# Sourced by the test, run and benchmark commands: Wine sessions on private prefixes, each
# with a persistent wineserver, and a private Xvfb display when asked. Everything started
# here is stopped in wine_session_stop.
#
# The kinds of Wine, each with its prefix, both settings:
#   wow64     Wine 10 in WoW64 mode (SETUP_WINE32, scripts/wow64/wine): 64-bit Windows, which
#             runs 32-bit programs where the CPU does; prefix SETUP_WOW64_PREFIX
#   win32     the 32-bit Wine 10 of the same root: 32-bit Windows, run on qemu-i386 inside
#             scripts/wow64/emulated-session; prefix SETUP_WIN32_PREFIX
#   product32 the one of these two that runs the 32-bit product here: SETUP_WINE32_MODE
#             (wow64 or emulated; scripts/wow64/probe.sh tells)
#   wine64    Debian 12's Wine 8 (SETUP_WINE64): the benchmark; prefix SETUP_WINE64_PREFIX
# When SETUP_WINE_USER is set (scripts/test-user.sh), Wine runs as that user.

_wine_session_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
: "${SETUP_WINE64:=/usr/lib/wine/wine64}"
: "${SETUP_WINESERVER64:=/usr/lib/wine/wineserver64}"
: "${SETUP_WINE32:=$_wine_session_top/scripts/wow64/wine}"
: "${SETUP_WINE64_PREFIX:=$_wine_session_top/build/wine-test}"
: "${SETUP_WOW64_PREFIX:=$_wine_session_top/build/wine-wow64-test}"
: "${SETUP_WIN32_PREFIX:=$_wine_session_top/build/wine-win32-test}"
: "${SETUP_WINE32_MODE:=wow64}"
export SETUP_WINE64 SETUP_WINESERVER64 SETUP_WINE32 SETUP_WINE64_PREFIX SETUP_WOW64_PREFIX \
  SETUP_WIN32_PREFIX SETUP_WINE32_MODE
export WINEDEBUG=${WINEDEBUG:--all}
# No debugger: under qemu-i386 winedbg hangs instead of reporting a crash.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winedbg.exe=d}
# Code page 936 unless a run asks for another locale.
export LC_ALL=${SETUP_LOCALE:-zh_CN.utf8}
WINE_SESSION_PIDS=()
WINE_SESSION_KINDS=()

# wine_kind KIND: product32 resolved to the Wine it stands for.
wine_kind() {
  if [ "$1" != product32 ]; then echo "$1"
  elif [ "$SETUP_WINE32_MODE" = emulated ]; then echo win32
  else echo wow64; fi
}

# wine_run KIND PROGRAM ARGS...: runs a Windows program (or, as PROGRAM, wineserver) under
# that Wine, in the prefix that WINEPREFIX names.
wine_run() {
  local kind
  kind=$(wine_kind "$1")
  shift
  case $kind in
    wow64) "$SETUP_WINE32" "$@"; return ;;
    win32) WINEARCH=win32 "$SETUP_WINE32" "$@"; return ;;
  esac
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
  case $(wine_kind "$1") in
    wow64) echo "$SETUP_WOW64_PREFIX" ;;
    win32) echo "$SETUP_WIN32_PREFIX" ;;
    *) echo "$SETUP_WINE64_PREFIX" ;;
  esac
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
