# Shell functions for GUI tests of Windows programs under Wine. Source it from a
# test script:
#
#   source "$repo/automation/wine-gui.sh"
#   wine_gui_init "$bin_dir"                 # folder holding winauto.exe
#   wine_gui_start "$tmp" "$bin_dir/Program.exe" arg...
#   winauto wait --title "Caption" || wine_gui_fail "no window"
#   wine_gui_expect_record --title "Caption" control 65535 Static visible,enabled 'Text\nmore'
#   wine_gui_screenshot "$shots/caption.png"
#   winauto click --title "Caption" --text OK
#   wine_gui_wait_exit 20; echo "exit code $?"
#
# The environment comes from the test runner: WINEPREFIX (the build's shared
# prefix, set by ctest) and DISPLAY (an Xvfb display, from
# scripts/lib/wine-session.sh via scripts/test). The program started last is
# stopped when the script exits.

WINE="${WINE:-/usr/lib/wine/wine64}"
WINE_GUI_PID=""
WINE_GUI_LOG=""

# wine_gui_fail MESSAGE: prints the message and the program's output, exits 1.
wine_gui_fail() {
  echo "FAIL: $*" >&2
  if [ -n "$WINE_GUI_LOG" ] && [ -s "$WINE_GUI_LOG" ]; then
    echo "--- output of the program under test:" >&2
    cat "$WINE_GUI_LOG" >&2
  fi
  exit 1
}

# wine_gui_init BIN_DIR: checks the environment and finds winauto.exe in BIN_DIR.
wine_gui_init() {
  WINAUTO_EXE="$1/winauto.exe"
  [ -f "$WINAUTO_EXE" ] || wine_gui_fail "no winauto.exe in $1"
  [ -n "${WINEPREFIX:-}" ] || wine_gui_fail "WINEPREFIX is not set"
  [ -n "${DISPLAY:-}" ] || wine_gui_fail "DISPLAY is not set (run through scripts/test)"
  export WINEDEBUG="${WINEDEBUG:--all}"
  trap wine_gui_stop EXIT
}

# wine_gui_start DIR PROGRAM [ARGS...]: starts PROGRAM under Wine in the
# background with DIR as its current folder. Sets WINE_GUI_PID; the program's
# output goes to WINE_GUI_LOG. One program at a time: an earlier one is stopped.
# Variables for the program alone go before the call:
#   LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine_gui_start "$dir" "$exe"
wine_gui_start() {
  local dir="$1"
  shift
  wine_gui_stop
  WINE_GUI_LOG="$(mktemp)"
  (cd "$dir" && exec "$WINE" "$@") >"$WINE_GUI_LOG" 2>&1 &
  WINE_GUI_PID=$!
}

# winauto ARGS...: runs winauto.exe (see automation/winauto/README.md). Wine
# decodes the arguments by the locale's character set, so winauto runs in a
# UTF-8 locale whatever the caller's is: non-ASCII titles and texts then arrive
# intact. Only winauto's own locale changes, not that of the program under test.
winauto() {
  LC_ALL=C.UTF-8 "$WINE" "$WINAUTO_EXE" "$@"
}

# wine_gui_expect_record WINDOW_OPTIONS... FIELD...: succeeds when `winauto texts`
# for the window prints the record made of the fields (joined by tabs, given in
# winauto's escaped form); otherwise prints what it saw and fails the test.
# The window options come first, each with its value (--title T, --title-prefix
# T, --class C, --has-control N).
wine_gui_expect_record() {
  local window=()
  while [[ "${1:-}" =~ ^--(title|title-prefix|class|has-control)$ ]]; do
    window+=("$1" "$2")
    shift 2
  done
  local expected texts
  expected="$(IFS=$'\t'; echo "$*")"
  texts="$(winauto texts "${window[@]}")" || wine_gui_fail "cannot read ${window[*]}"
  if ! grep -qxF -- "$expected" <<<"$texts"; then
    echo "expected record: $expected" >&2
    echo "--- winauto texts ${window[*]}:" >&2
    echo "$texts" >&2
    wine_gui_fail "record missing"
  fi
}

# wine_gui_screenshot FILE: the whole display as a PNG (folders are created).
wine_gui_screenshot() {
  mkdir -p "$(dirname "$1")"
  import -window root "$1"
}

# wine_gui_wait_exit SECONDS: waits for the program to end and returns its exit
# code; after SECONDS it stops the program and returns 124.
wine_gui_wait_exit() {
  local deadline=$((SECONDS + $1))
  [ -n "$WINE_GUI_PID" ] || return 127
  while kill -0 "$WINE_GUI_PID" 2>/dev/null; do
    if ((SECONDS >= deadline)); then
      wine_gui_stop
      return 124
    fi
    sleep 0.1
  done
  local code=0
  wait "$WINE_GUI_PID" || code=$?
  WINE_GUI_PID=""
  return "$code"
}

# wine_gui_stop: ends the program started last, if it still runs.
wine_gui_stop() {
  [ -n "$WINE_GUI_PID" ] || return 0
  if kill -0 "$WINE_GUI_PID" 2>/dev/null; then
    kill "$WINE_GUI_PID" 2>/dev/null
    for _ in $(seq 30); do
      kill -0 "$WINE_GUI_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$WINE_GUI_PID" 2>/dev/null
  fi
  wait "$WINE_GUI_PID" 2>/dev/null
  WINE_GUI_PID=""
  return 0
}
