#!/usr/bin/env bash
# Runs the real Vexlow.exe from a temporary folder for the ways start-up ends
# that the whole updates never meet, and reads what it shows from outside with
# winauto; the last run goes on to the printer-selection dialog with no printer
# of its driver, and its About box.
# Arguments: the folder holding Vexlow.exe, winauto.exe, ostrand.dll,
# hobrel.dll and probe/app_search_probe.dll; a folder for screenshots.
set -uo pipefail
bin_dir="$1"
shots="$2"
source "$(dirname "$0")/../../../../automation/wine-gui.sh"
source "$(dirname "$0")/../../../../automation/vexlow-stage.sh"
wine_gui_init "$bin_dir"

title_en="Glinterra Update Tool"
title_ja="Glinterra 更新ツール"
work="$(mktemp -d)"
app="$work/app"         # the program's own folder
elsewhere="$work/cwd"   # the folder it is started from
trap 'wine_gui_stop; rm -rf "$work"' EXIT

# fresh_app [FILE...]: Vexlow.exe alone in its folder with a package, plus the named files of bin/.
fresh_app() {
  rm -rf "$elsewhere"
  mkdir -p "$elsewhere"
  vexlow_stage_app "$app" "$bin_dir" "$@" || wine_gui_fail "cannot stage the program"
  touch "$app/update.kx7"
}

write_ini() { vexlow_write_ini "$app" "$@"; }

start_vexlow() {
  wine_gui_start "$elsewhere" "$app/Vexlow.exe"
}

# expect_text CAPTION ID TEXT: the text of one control, in winauto's escaped form.
expect_text() {
  local seen
  seen="$(winauto text --title "$1" --has-control "$2" --id "$2")"
  [ "$seen" = "$3" ] || wine_gui_fail "text $2 under \"$1\": expected [$3], saw [$seen]"
}

# expect_message CAPTION ICON TEXT [SCREENSHOT]: the one message box start-up
# shows (TEXT in winauto's escaped form), then OK, and the program must end by
# itself.
expect_message() {
  local caption="$1" icon="$2" text="$3" shot="${4:-}"
  winauto wait --title "$caption" --class "#32770" --timeout-ms 60000 ||
    { winauto list >&2; wine_gui_fail "no box captioned \"$caption\" for: $text"; }
  wine_gui_expect_record --title "$caption" --class "#32770" icon "$icon"
  expect_text "$caption" 65535 "$text"
  if [ -n "$shot" ]; then
    sleep 1 # let it paint
    wine_gui_screenshot "$shot"
  fi
  winauto click --title "$caption" --class "#32770" --text OK || wine_gui_fail "OK of [$text]"
  expect_exit_without_message
}

# The program must end within the time, which it cannot while a box is open.
expect_exit_without_message() {
  wine_gui_wait_exit 20
  local code=$?
  [ "$code" -eq 0 ] || { winauto list >&2; wine_gui_fail "Vexlow.exe ended with $code"; }
}

vexlow_window_frames wine || wine_gui_fail "cannot set the window frames"

all_files=(ostrand.dll hobrel.dll)
full_ini=("NewVersion=2.10" "Country=EU" "DriverName=Skorvin VX-9" "MachineName=VX-9"
  "KX7FileName=update.kx7")

echo "-- no vexlow.ini beside the program (one in the current folder does not count)"
fresh_app "${all_files[@]}"
printf '%s\r\n' "[UPDATE]" "KX7FileName=update.kx7" >"$elsewhere/vexlow.ini"
start_vexlow
expect_message "Vexlow" stop 'Error : Data file not found.'

echo "-- only hobrel.dll missing"
fresh_app ostrand.dll
write_ini "${full_ini[@]}"
start_vexlow
expect_message "$title_en" stop 'File not found.\n\n\nhobrel.dll' "$shots/missing-hobrel-message.png"

echo "-- an ostrand.dll without the transfer functions"
fresh_app hobrel.dll
cp "$bin_dir/probe/app_search_probe.dll" "$app/ostrand.dll"
write_ini "${full_ini[@]}"
start_vexlow
expect_message "$title_en" stop 'Error : Transfer DLL : Open'

echo "-- the warning dialog in Japanese, with a machine name in code page 932"
fresh_app "${all_files[@]}"
# "VX-9 テスト" in code page 932.
write_ini "NewVersion=2.10" "DriverName=Skorvin VX-9" \
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
fresh_app "${all_files[@]}"
write_ini "${full_ini[@]}"
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
