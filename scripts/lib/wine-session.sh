# Sourced by the scripts that run Windows binaries: gives them a Wine prefix
# inside the build folder, an X display (a new Xvfb, or the user's) and one
# wineserver for the run, and tears down what it started when the calling
# script exits.
#
#   WINE_BUILD_DIR=build/windows; wine_session_start   # then run its programs
#   wine_session_stop                                  # before starting another
#
# Each build folder has its own prefix, of its own bitness: the configure step
# writes the loader, the prefix's architecture and its path into
# wine-session.env there (a 64-bit prefix for x86-64, a 32-bit one for i686).

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_session_display=""
wine_session_xvfb_pid=""

wine_session_stop() {
  [ -n "${WINEPREFIX:-}" ] && /usr/lib/wine/wineserver -k 2>/dev/null || true
  [ -n "$wine_session_xvfb_pid" ] && kill "$wine_session_xvfb_pid" 2>/dev/null || true
  wine_session_xvfb_pid=""
}

wine_session_start_xvfb() {
  local n
  for n in $(seq 90 130); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      wine_session_display=":$n"
      break
    fi
  done
  Xvfb "$wine_session_display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  wine_session_xvfb_pid=$!
  export DISPLAY="$wine_session_display"
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${wine_session_display#:}" ] && break
    sleep 0.1
  done
}

# wine_session_start [--user-display]: for the build folder WINE_BUILD_DIR
# (configured already). With --user-display the windows go to the caller's
# DISPLAY as it is; otherwise to a new Xvfb display.
wine_session_start() {
  local env="$WINE_BUILD_DIR/wine-session.env"
  [ -f "$env" ] || { echo "wine: $env is missing; configure the build first" >&2; return 1; }
  # shellcheck source=/dev/null
  source "$env"
  export WINE WINEARCH WINEPREFIX
  trap wine_session_stop EXIT
  if [ "${1:-}" = "--user-display" ]; then
    wine_session_display="$DISPLAY"
  else
    wine_session_start_xvfb
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating $WINEARCH prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot --init >/dev/null 2>&1 || true
  fi
  # Keep one server alive for the whole run, so each test starts in about a second.
  /usr/lib/wine/wineserver -p 2>/dev/null || true
  # No automatic debugger: it holds a crashed program for minutes, or lets it
  # end with status 0. Without the value, Wine still starts its own debugger;
  # an empty one starts none, and the crash ends the program at once with
  # the exception's status.
  "$WINE" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
    /v Debugger /d '' /f >/dev/null 2>&1 || true
}
