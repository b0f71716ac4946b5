# Shell functions that walk Vexlow.exe's dialogs with winauto, for the GUI
# tests, the demonstration and the benchmark; sourcing this file also gives
# those of automation/wine-gui.sh and automation/vexlow-stage.sh. Call
# wine_gui_init first. The functions use these variables of the caller:
#   bin_dir  the Windows binaries          app    the folder the program runs from
#   work     the program's current folder  state  the virtual printer's state folder
# and set, through use_language, the window descriptions warning, selection,
# box, progress and operating, and confirm (the confirmation's text).

source "$(dirname "${BASH_SOURCE[0]}")/wine-gui.sh"
source "$(dirname "${BASH_SOURCE[0]}")/vexlow-stage.sh"

# vexlow_test_scene: what the update tests share: a scratch folder (work, app,
# state), two printers of the driver, answering (the virtual printer's own
# name) and silent (one that nothing answers for), Wine's window frames, and
# all of it gone again when the script exits.
vexlow_test_scene() {
  answering="Virtual Printer"
  silent="Quorbel Silent Printer"
  work="$(mktemp -d)"
  app="$work/app"
  state="$work/state"
  trap vexlow_test_scene_end EXIT
  vexlow_install_printers "$bin_dir" "$answering" "$silent" || wine_gui_fail "cannot add the printers"
  vexlow_window_frames wine || wine_gui_fail "cannot set the window frames"
}

vexlow_test_scene_end() {
  wine_gui_stop
  vexlow_remove_printers "$bin_dir" "$answering" "$silent"
  rm -rf "$work"
}

# One ini for both languages: the driver's printers, version 2.10.
stage() {
  vexlow_stage_app "$app" "$bin_dir" ostrand.dll hobrel.dll || wine_gui_fail "cannot stage"
  vexlow_write_ini "$app" "NewVersion=2.10" "Country=EU" "DriverName=$VEXLOW_DRIVER" \
    "MachineName=ZN-418" "KX7FileName=update.kx7"
}

# The windows of one language (en or ja), told apart by a control each holds,
# since they share the caption, and the confirmation of stage's version.
use_language() {
  if [ "$1" = ja ]; then
    title="Glinterra 更新ツール"
    confirm='Glinterra を バージョン 2.10 に更新してよろしいですか？'
  else
    title="Glinterra Update Tool"
    confirm='OK to update Glinterra to version 2.10 ?'
  fi
  warning=(--title "$title" --has-control 1005)
  selection=(--title "$title" --has-control 1000)
  box=(--title "$title" --has-control 65535)
  progress=(--title "$title" --has-control 2310)
  operating=(--title "$title" --has-control 2510)
}

# wait_for ARRAY [SECONDS]: until the window that the named array describes is there.
wait_for() {
  local -n window="$1"
  winauto wait "${window[@]}" --timeout-ms "$((${2:-60} * 1000))" ||
    { winauto list >&2; wine_gui_fail "no window: $1"; }
}

# box_text: the text of the message box on top, or nothing (and failure)
# when there is none.
box_text() {
  winauto text "${box[@]}" --id 65535 2>/dev/null
}

# expect_box ICON TEXT BUTTON_ID [SCREENSHOT]: the message box with this icon
# and text (winauto's escaped form), answered with the button; returns once
# that box is gone. Boxes follow one another, so each is known by its text.
expect_box() {
  local icon="$1" text="$2" button="$3" shot="${4:-}" seen="" deadline=$((SECONDS + 40))
  until seen="$(box_text)" && [ "$seen" = "$text" ]; do
    ((SECONDS < deadline)) || { winauto list >&2; wine_gui_fail "no box [$text]; last seen [$seen]"; }
    sleep 0.2
  done
  wine_gui_expect_record "${box[@]}" icon "$icon"
  if [ -n "$shot" ]; then
    sleep 1 # let it paint
    wine_gui_screenshot "$shot"
  fi
  # A box may be found by its text a moment before it is shown.
  press box "$button"
  deadline=$((SECONDS + 10))
  while seen="$(box_text)" && [ "$seen" = "$text" ]; do
    ((SECONDS < deadline)) || wine_gui_fail "the box [$text] stays"
    sleep 0.2
  done
}

# press ARRAY ID: presses the button of the window that the named array
# describes once it can be pressed: a hidden or disabled button is not, and a
# window is enabled again a moment after the box above it has gone.
press() {
  local -n window="$1"
  local deadline=$((SECONDS + 10))
  until winauto click "${window[@]}" --id "$2" 2>/dev/null; do
    ((SECONDS < deadline)) || { winauto click "${window[@]}" --id "$2"; wine_gui_fail "button $2 of $1"; }
    sleep 0.2
  done
}

# start_update: Update, then Yes to the confirmation.
start_update() {
  press selection 1001
  expect_box exclamation "$confirm" 6
}

choose() {
  winauto select "${selection[@]}" --id 1000 --text "$1" || wine_gui_fail "choose $1"
}

# to_selection: starts the program (in the language of LANG) and passes the warning.
to_selection() {
  wine_gui_start "$work" "$app/Vexlow.exe"
  wait_for warning
  winauto click "${warning[@]}" --id 1 || wine_gui_fail "Start"
  wait_for selection
}

# expect_stored PACKAGE: the printer holds exactly the package's header and payload.
expect_stored() {
  local stored
  stored="$(find "$state" -name 'file-*.vpf')"
  [ "$(wc -l <<<"$stored")" = 1 ] || wine_gui_fail "the printer holds: $stored"
  cmp -s "$1" "$stored" || wine_gui_fail "the stored file differs from the package"
}
