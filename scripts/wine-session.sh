# Sourced by test.sh and run.sh: a private Wine prefix with a persistent wineserver and,
# when asked, a private Xvfb display. Everything started here is stopped by its process id
# in wine_session_stop.

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINE_SESSION_PIDS=()

# wine_session_start PREFIX [xvfb]
wine_session_start() {
  export WINEPREFIX=$1
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  # Code page 936 unless a test run asks for another locale.
  export LC_ALL=${SETUP_LOCALE:-zh_CN.utf8}
  mkdir -p "$(dirname "$WINEPREFIX")"

  if [ "${2:-}" = xvfb ]; then
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
  fi

  # A persistent server makes each Wine start take a tenth of a second instead of seconds.
  "$WINESERVER" -p >/dev/null 2>&1 &
  WINE_SESSION_PIDS+=($!)
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Preparing the Wine prefix $WINEPREFIX (once, about 20 s)"
  fi
  "$WINE64" wineboot -i >/dev/null 2>&1 || true
}

wine_session_stop() {
  "$WINESERVER" -k >/dev/null 2>&1 || true
  local pid
  for pid in "${WINE_SESSION_PIDS[@]}"; do
    kill "$pid" >/dev/null 2>&1 || true
  done
  for pid in "${WINE_SESSION_PIDS[@]}"; do
    wait "$pid" 2>/dev/null || true
  done
  WINE_SESSION_PIDS=()
}
