#!/usr/bin/env bash
# Runs the real Vexlow.exe from a temporary folder for what the whole updates
# never show, and reads it from outside with winauto: the warning dialog in
# Japanese with a machine name in the system's code page, the printer-selection
# dialog with no printer of its driver, and the About box that every system
# command of the About item's range opens. (The ways start-up ends early are
# the start-up core's; the update runs walk its message boxes.)
# Arguments: the folder holding Vexlow.exe, winauto.exe, ostrand.dll and
# hobrel.dll; a folder for screenshots.
set -uo pipefail
bin_dir="$1"
shots="$2"
source "$(dirname "$0")/../../../../automation/wine-gui.sh"
source "$(dirname "$0")/../../../../automation/vexlow-stage.sh"
wine_gui_init "$bin_dir"

title_en="Glinterra Update Tool"
title_ja="Glinterra 更新ツール"
work="$(mktemp -d)"
app="$work/app"       # the program's own folder
elsewhere="$work/cwd" # the folder it is started from
trap 'wine_gui_stop; rm -rf "$work"' EXIT

# fresh_app INI-LINE...: Vexlow.exe in its folder with its libraries, a package and vexlow.ini.
fresh_app() {
  rm -rf "$elsewhere"
  mkdir -p "$elsewhere"
  vexlow_stage_app "$app" "$bin_dir" ostrand.dll hobrel.dll || wine_gui_fail "cannot stage the program"
  touch "$app/update.kx7"
  vexlow_write_ini "$app" "$@"
}

start_vexlow() {
  wine_gui_start "$elsewhere" "$app/Vexlow.exe"
}

# expect_text CAPTION ID TEXT: the text of one control, in winauto's escaped form.
expect_text() {
  local seen
  seen="$(winauto text --title "$1" --has-control "$2" --id "$2")"
  [ "$seen" = "$3" ] || wine_gui_fail "text $2 under \"$1\": expected [$3], saw [$seen]"
}

# The program must end within the time, which it cannot while a box is open.
expect_exit_without_message() {
  wine_gui_wait_exit 20
  local code=$?
  [ "$code" -eq 0 ] || { winauto list >&2; wine_gui_fail "Vexlow.exe ended with $code"; }
}

vexlow_window_frames wine || wine_gui_fail "cannot set the window frames"

echo "-- the warning dialog in Japanese, with a machine name in code page 932"
# "VX-9 テスト" in code page 932.
fresh_app "NewVersion=2.10" "DriverName=Skorvin VX-9" \
  "MachineName=VX-9 $(printf '\x83\x65\x83\x58\x83\x67')" "KX7FileName=update.kx7"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 start_vexlow
winauto wait --title "$title_ja" --class "#32770" --timeout-ms 60000 ||
  { winauto list >&2; wine_gui_fail "no Japanese warning dialog"; }
expect_text "$title_ja" 1006 "更新作業が確実に終了するまで、VX-9 テスト 本体を操作したり、USBケーブルを抜いたりしないでください。"
sleep 1
wine_gui_screenshot "$shots/warning-dialog-ja.png"
winauto click --title "$title_ja" --class "#32770" --id 2 || wine_gui_fail "Japanese Cancel"
expect_exit_without_message

echo "-- everything there, in English; Start: the printer-selection dialog, no printer of the driver; the About box"
fresh_app "NewVersion=2.10" "Country=EU" "DriverName=Skorvin VX-9" "MachineName=VX-9" \
  "KX7FileName=update.kx7"
start_vexlow
winauto wait --title "$title_en" --has-control 1005 --timeout-ms 60000 || wine_gui_fail "no warning dialog"
winauto click --title "$title_en" --has-control 1005 --text '&Start' || wine_gui_fail "Start"
# The message comes before the dialog shows; the dialog is disabled under it.
winauto wait --title "$title_en" --has-control 65535 --timeout-ms 60000 ||
  { winauto list >&2; wine_gui_fail "no message about the missing printers"; }
wine_gui_expect_record --title "$title_en" --has-control 65535 icon stop
expect_text "$title_en" 65535 'A compatible printer cannot be found.\n\nFor updating, the printer drivers must be installed.'
winauto click --title "$title_en" --has-control 65535 --text OK || wine_gui_fail "OK of 1919"
select_dialog=(--title "$title_en" --has-control 1000)
winauto wait "${select_dialog[@]}" --timeout-ms 60000 || wine_gui_fail "no printer-selection dialog"
wine_gui_expect_record "${select_dialog[@]}" control 1000 ComboBox visible,disabled ''
wine_gui_expect_record "${select_dialog[@]}" control 1001 Button visible,disabled '&Update'
wine_gui_expect_record "${select_dialog[@]}" control 1004 Button visible,enabled 'E&xit'
sleep 1
wine_gui_screenshot "$shots/printer-selection-no-printer.png"
# Every system command from 16 to 31 is the About item's.
for command in 16 31; do
  winauto syscommand "${select_dialog[@]}" --id "$command" || wine_gui_fail "system command $command"
  winauto wait --title About --has-control 1008 --timeout-ms 10000 ||
    wine_gui_fail "no About box for system command $command"
  expect_text About 1007 "$title_en"
  expect_text About 1008 "Version 1.00"
  if [ "$command" = 16 ]; then
    sleep 1
    wine_gui_screenshot "$shots/about-box.png"
  fi
  winauto click --title About --has-control 1008 --text OK || wine_gui_fail "OK of the About box"
  winauto gone --title About --timeout-ms 5000 || wine_gui_fail "the About box stays"
done
winauto click "${select_dialog[@]}" --id 1004 || wine_gui_fail "Exit"
expect_exit_without_message

echo "Vexlow start-up: all checks passed"
