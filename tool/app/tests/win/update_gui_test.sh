#!/usr/bin/env bash
# Whole updates through the real Vexlow.exe and ostrand.dll, with the virtual
# printer's hobrel.dll and printers of its driver in the Wine prefix; winauto
# reads and answers what the program shows. In English, a start with no printer
# of the configured driver (1919) opens the About box from the system menu;
# then one run lists the driver's printers, cancels a transfer with Escape
# (1916), Enter having left it running, and completes (2011) with Enter typed
# during the pause, after which the program ends; in Japanese, with a machine
# name in the system's code page, one run completes. The failures' messages are
# the fault table's and the update core's; every transfer costs the tool's
# 12-second pause.
# Arguments: the folder of the Windows binaries; a folder for screenshots;
# optionally "en" for the English runs alone.
set -uo pipefail
bin_dir="$1"
shots="$2"
languages="${3:-en ja}"
source "$(dirname "$0")/../../../../automation/vexlow-dialogs.sh"
wine_gui_init "$bin_dir"
vexlow_test_scene
model=0x0415 # the virtual printer's and its driver's model

# Slow enough that a 600000-byte transfer lasts some seconds, for the keys.
vp_write_config "$work/slow.ini" "$state" "$work/trace.txt" "$(printf '[faults]\nslow_link = 10 200')"
vp_write_config "$work/fast.ini" "$state" "$work/trace.txt"

echo "-- English: no printer of the driver; the About box"
use_language en
stage
vexlow_write_ini "$app" "NewVersion=2.10" "DriverName=No Such Driver" "KX7FileName=update.kx7"
touch "$app/update.kx7"
wine_gui_start "$work" "$app/Vexlow.exe"
wait_for warning
winauto click "${warning[@]}" --id 1 || wine_gui_fail "Start"
# The message comes before the dialog shows; the dialog is disabled under it.
expect_box stop 'A compatible printer cannot be found.\n\nFor updating, the printer drivers must be installed.' 1
wait_for selection
wine_gui_expect_record "${selection[@]}" control 1000 ComboBox visible,disabled ''
wine_gui_expect_record "${selection[@]}" control 1001 Button visible,disabled '&Update'
# The system keeps a command's low four bits: 31 is the About item's 16.
winauto syscommand "${selection[@]}" --id 31 || wine_gui_fail "system command 31"
winauto wait --title About --has-control 1008 --timeout-ms 10000 || wine_gui_fail "no About box"
[ "$(winauto text --title About --has-control 1008 --id 1008)" = "Version 1.00" ] ||
  wine_gui_fail "the About box's version"
winauto click --title About --has-control 1008 --text OK || wine_gui_fail "OK of the About box"
press selection 1004
wine_gui_wait_exit 20 || wine_gui_fail "the program did not end on Exit"

echo "-- English: a cancel and a completed update in one run"
stage
vp_make_package "$app/update.kx7" "$model" 600000
export VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/slow.ini")"
to_selection
[ "$(winauto items "${selection[@]}" --id 1000)" = "$(printf 'item\t0\tselected\t%s\nitem\t1\t-\t%s' "$silent" "$answering")" ] ||
  wine_gui_fail "list: $(winauto items "${selection[@]}" --id 1000)"
choose "$answering"

echo "   Enter does not end the transfer, Escape cancels it"
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
wait_for operating 180
# Typed while the windows do not answer, it must not close the result unseen;
# pressed at once, while the pause surely lasts.
winauto press --text enter || wine_gui_fail "Enter during the pause"
wine_gui_expect_record "${operating[@]}" control 2510 Static visible,enabled 'The unit is operating...'
expect_box information 'Completed the update for Glinterra.\n\nTurn off the printer.' 1 \
  "$shots/update-completed.png"
wine_gui_wait_exit 20 || wine_gui_fail "the program did not end after the update"
expect_stored "$app/update.kx7"

if [ "$languages" = en ]; then
  echo "Vexlow update in English: all checks passed"
  exit 0
fi

echo "-- Japanese: a machine name in code page 932 (\"VX-9 テスト\"), a completed update"
use_language ja
rm -rf "${state:?}"/*
stage
vexlow_write_ini "$app" "NewVersion=2.10" "Country=EU" "DriverName=$VEXLOW_DRIVER" \
  "MachineName=VX-9 $(printf '\x83\x65\x83\x58\x83\x67')" "KX7FileName=update.kx7"
vp_make_package "$app/update.kx7" "$model" 50000
VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/fast.ini")"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 wine_gui_start "$work" "$app/Vexlow.exe"
wait_for warning
warned="$(winauto text "${warning[@]}" --id 1006)"
[ "$warned" = "更新作業が確実に終了するまで、VX-9 テスト 本体を操作したり、USBケーブルを抜いたりしないでください。" ] ||
  wine_gui_fail "the warning reads [$warned]"
winauto click "${warning[@]}" --id 1 || wine_gui_fail "Start"
wait_for selection
choose "$answering"
start_update
wait_for operating 180
expect_box information 'Glinterra の更新を完了しました。\n\n本体の電源を切ってください。' 1 \
  "$shots/update-completed-ja.png"
wine_gui_wait_exit 20 || wine_gui_fail "the program did not end after the Japanese update"
expect_stored "$app/update.kx7"

echo "Vexlow updates: all checks passed"
