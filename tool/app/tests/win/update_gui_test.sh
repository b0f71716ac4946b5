#!/usr/bin/env bash
# Whole updates through the real Vexlow.exe and ostrand.dll, with the virtual
# printer's hobrel.dll and printers of its driver in the Wine prefix; winauto
# reads and answers what the program shows. In English, one run tries a
# printer that does not answer (1910), declines the confirmation, sends a
# package of another model (1917, then 1911), cancels with Escape (1916) and
# completes (2011), after which the program ends; in Japanese, one run
# completes. Every transfer costs the tool's 12-second pause.
# Arguments: the folder of the Windows binaries; a folder for screenshots.
set -uo pipefail
bin_dir="$1"
shots="$2"
source "$(dirname "$0")/../../../../testing/wine-gui.sh"
source "$(dirname "$0")/../../../../testing/vexlow-stage.sh"
wine_gui_init "$bin_dir"

answering="Virtual Printer"       # the name the virtual printer answers to
silent="Quorbel Silent Printer"   # a printer of the driver that nothing answers for
model=0x0415                      # the virtual printer's and its driver's model
work="$(mktemp -d)"
app="$work/app"
state="$work/state"
cleanup() {
  wine_gui_stop
  vexlow_remove_printers "$bin_dir" "$answering" "$silent"
  rm -rf "$work"
}
trap cleanup EXIT
vexlow_install_printers "$bin_dir" "$answering" "$silent" || wine_gui_fail "cannot add the printers"

# Slow enough that a 600000-byte transfer lasts some seconds, for the keys.
vp_write_config "$work/slow.ini" "$state" "$work/trace.txt" "$(printf '[faults]\nslow_link = 10 200')"
vp_write_config "$work/fast.ini" "$state" "$work/trace.txt"

# One ini for both languages: the driver's printers, version 2.10.
stage() {
  vexlow_stage_app "$app" "$bin_dir" ostrand.dll hobrel.dll || wine_gui_fail "cannot stage"
  vexlow_write_ini "$app" "NewVersion=2.10" "Country=EU" "DriverName=$VEXLOW_DRIVER" \
    "MachineName=ZN-418" "KX7FileName=update.kx7"
}

# The windows of one language, told apart by a control each holds, since they
# share the caption: use_language TITLE CONFIRMATION.
use_language() {
  title="$1"
  confirm="$2"
  warning=(--title "$title" --has-control 1005)
  selection=(--title "$title" --has-control 1000)
  box=(--title "$title" --has-control 65535)
  progress=(--title "$title" --has-control 2310)
  operating=(--title "$title" --has-control 2510)
}

# wait_for ARRAY [SECONDS]: until the window that the named array describes is there.
wait_for() {
  local -n window="$1"
  winauto wait "${window[@]}" --timeout-ms "$((${2:-20} * 1000))" ||
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
  winauto click "${box[@]}" --id "$button" || wine_gui_fail "button $button of [$text]"
  deadline=$((SECONDS + 10))
  while seen="$(box_text)" && [ "$seen" = "$text" ]; do
    ((SECONDS < deadline)) || wine_gui_fail "the box [$text] stays"
    sleep 0.2
  done
}

# start_update: Update, then Yes to the confirmation.
start_update() {
  winauto click "${selection[@]}" --id 1001 || wine_gui_fail "Update"
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

"$WINE" reg add 'HKCU\Software\Wine\AppDefaults\Vexlow.exe\X11 Driver' \
  /v Decorated /d N /f >/dev/null 2>&1 || wine_gui_fail "cannot set the window decoration"

echo "-- English: the failures, a cancel and a completed update in one run"
use_language "Glinterra Update Tool" 'OK to update Glinterra to version 2.10 ?'
stage
vp_make_package "$app/update.kx7" 0x7777 1000
VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/slow.ini")"
export VEXLOW_VIRTUAL_PRINTER
to_selection
[ "$(winauto items "${selection[@]}" --id 1000)" = "$(printf 'item\t0\tselected\t%s\nitem\t1\t-\t%s' "$silent" "$answering")" ] ||
  wine_gui_fail "list: $(winauto items "${selection[@]}" --id 1000)"
sleep 1
wine_gui_screenshot "$shots/update-printer-selection.png"

echo "   a printer that does not answer"
winauto click "${selection[@]}" --id 1001 || wine_gui_fail "Update"
expect_box exclamation 'Cannot communicate with the printer.\n\nMake sure that: \n\n*the printer is turned on,\n*the cable is correctly connected,\n*the printer is set to Transfer mode.' 1

echo "   No to the confirmation, then a package of another model"
choose "$answering"
winauto click "${selection[@]}" --id 1001 || wine_gui_fail "Update"
expect_box exclamation "$confirm" 7
start_update
expect_box exclamation 'A printer ID error occurred.' 1
expect_box stop 'Failed to transfer.' 1
[ -z "$(find "$state" -name 'file-*.vpf')" ] || wine_gui_fail "a package of another model was stored"

echo "   Enter does not end the transfer, Escape cancels it"
vp_make_package "$app/update.kx7" "$model" 600000
start_update
wait_for progress
wine_gui_expect_record "${progress[@]}" control 2311 Static visible,enabled 'Transferring...'
winauto key "${progress[@]}" --text enter || wine_gui_fail "Enter"
sleep 0.5
wine_gui_screenshot "$shots/update-progress.png"
winauto wait "${progress[@]}" --timeout-ms 100 || wine_gui_fail "Enter ended the progress dialog"
winauto key "${progress[@]}" --text escape || wine_gui_fail "Escape"
expect_box exclamation 'Transferring cancelled.' 1
[ -z "$(find "$state" -name 'file-*.vpf')" ] || wine_gui_fail "a cancelled package was stored"

echo "   a completed update ends the program"
start_update
wait_for operating 60
wine_gui_expect_record "${operating[@]}" control 2510 Static visible,enabled 'The unit is operating...'
sleep 1
wine_gui_screenshot "$shots/update-operating.png"
expect_box information 'Completed the update for Glinterra.\n\nTurn off the printer.' 1 \
  "$shots/update-completed.png"
wine_gui_wait_exit 20 || wine_gui_fail "the program did not end after the update"
expect_stored "$app/update.kx7"

echo "-- Japanese: a completed update"
use_language "Glinterra 更新ツール" 'Glinterra を バージョン 2.10 に更新してよろしいですか？'
rm -rf "$state"
mkdir -p "$state"
stage
vp_make_package "$app/update.kx7" "$model" 50000
VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/fast.ini")"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 to_selection
choose "$answering"
start_update
wait_for operating 60
wine_gui_expect_record "${operating[@]}" control 2510 Static visible,enabled '本体処理中です...'
sleep 1
wine_gui_screenshot "$shots/update-operating-ja.png"
expect_box information 'Glinterra の更新を完了しました。\n\n本体の電源を切ってください。' 1 \
  "$shots/update-completed-ja.png"
wine_gui_wait_exit 20 || wine_gui_fail "the program did not end after the Japanese update"
expect_stored "$app/update.kx7"

echo "Vexlow updates: all checks passed"
