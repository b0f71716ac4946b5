#!/usr/bin/env bash
# winauto against the fixture's message boxes and dialog, under Wine.
# Arguments: the folder of winauto.exe and winauto_fixture.exe, a folder for screenshots.
set -uo pipefail
bin_dir="$1"
shots="$2"
source "$(dirname "$0")/../../wine-gui.sh"
wine_gui_init "$bin_dir"
fixture="$bin_dir/winauto_fixture.exe"
work="$(mktemp -d)"

# Each icon kind, and a caption found by its beginning.
for icon in stop exclamation information question none; do
  wine_gui_start "$work" "$fixture" box "$icon" "Fixture Box $icon" 'First line\nSecond line'
  winauto wait --title-prefix "Fixture Box" --class "#32770" --timeout-ms 20000 ||
    wine_gui_fail "no box for $icon"
  wine_gui_expect_record --title "Fixture Box $icon" window "#32770" "Fixture Box $icon"
  wine_gui_expect_record --title "Fixture Box $icon" icon "$icon"
  winauto texts --title "Fixture Box $icon" | grep -qP '^control\t\d+\tStatic\tvisible,enabled\tFirst line\\nSecond line$' ||
    wine_gui_fail "message text of the $icon box"
  [ "$icon" = stop ] && wine_gui_screenshot "$shots/fixture-box-stop.png"
  winauto click --title "Fixture Box $icon" --text OK || wine_gui_fail "OK of the $icon box"
  winauto gone --title "Fixture Box $icon" --timeout-ms 5000 || wine_gui_fail "$icon box stays"
  wine_gui_wait_exit 10
  code=$?
  [ "$code" -eq 1 ] || wine_gui_fail "the $icon box ended with $code, not IDOK"
done

# A dialog: UTF-8 texts, a disabled button, a click that opens a modal box.
wine_gui_start "$work" "$fixture" dialog
winauto wait --title "Fixture Dialog" --timeout-ms 20000 || wine_gui_fail "no dialog"
wine_gui_expect_record --title "Fixture Dialog" --class "#32770" \
  control 1003 Static visible,enabled 'Grüße, 日本語\nsecond line'
wine_gui_expect_record --title "Fixture Dialog" control 1002 Button visible,disabled Disabled
[ "$(winauto text --title "Fixture Dialog" --id 1001)" = "&Start" ] || wine_gui_fail "text of 1001"
winauto click --title "Fixture Dialog" --id 1002 2>/dev/null && wine_gui_fail "pressed a disabled button"
winauto texts --title "No Such Window" 2>/dev/null && wine_gui_fail "found a missing window"
winauto wait --title "No Such Window" --timeout-ms 300 2>/dev/null && wine_gui_fail "waited for nothing"
# A drop-down list: its entries, a choice the dialog is told of, a missing entry.
[ "$(winauto items --title "Fixture Dialog" --id 1004)" = "$(printf 'item\t0\tselected\tAlpha\nitem\t1\t-\tBeta Printer\nitem\t2\t-\t日本')" ] ||
  wine_gui_fail "items of 1004: $(winauto items --title "Fixture Dialog" --id 1004)"
winauto select --title "Fixture Dialog" --id 1004 --text "日本" || wine_gui_fail "select"
sleep 0.5
wine_gui_expect_record --title "Fixture Dialog" control 1005 Static visible,enabled "chose 日本"
winauto items --title "Fixture Dialog" --id 1004 | grep -qxF "$(printf 'item\t2\tselected\t日本')" ||
  wine_gui_fail "selection of 1004"
winauto select --title "Fixture Dialog" --id 1004 --text "beta printer" 2>/dev/null &&
  wine_gui_fail "selected an entry of another case"
winauto items --title "Fixture Dialog" --id 1001 2>/dev/null && wine_gui_fail "items of a button"
wine_gui_screenshot "$shots/fixture-dialog.png"
winauto click --title "Fixture Dialog" --text "&Start" || wine_gui_fail "click &Start"
winauto wait --title "Fixture Started" --timeout-ms 10000 || wine_gui_fail "no box after Start"
wine_gui_expect_record --title "Fixture Started" icon information
winauto list | grep -qxF "$(printf 'window\t#32770\tFixture Dialog')" || wine_gui_fail "list"
winauto close --title "Fixture Started" || wine_gui_fail "close"
wine_gui_wait_exit 10
code=$?
[ "$code" -eq 100 ] || wine_gui_fail "the dialog ended with $code, not 100"
winauto gone --title "Fixture Dialog" --timeout-ms 1000 || wine_gui_fail "dialog stays"

# A window known by a control it holds; a key and a system command reach the
# dialog's own loop, which turns both into Cancel.
for way in escape close; do
  wine_gui_start "$work" "$fixture" dialog
  winauto wait --title "Fixture Dialog" --has-control 1004 --timeout-ms 20000 ||
    wine_gui_fail "no dialog holding control 1004"
  winauto wait --title "Fixture Dialog" --has-control 4321 --timeout-ms 300 2>/dev/null &&
    wine_gui_fail "found a dialog by a control it does not hold"
  if [ "$way" = escape ]; then
    winauto key --title "Fixture Dialog" --text escape
  else
    winauto syscommand --title "Fixture Dialog" --id 61536 # SC_CLOSE
  fi || wine_gui_fail "$way"
  wine_gui_wait_exit 10
  code=$?
  [ "$code" -eq 2 ] || wine_gui_fail "$way ended the dialog with $code, not Cancel"
done
rm -rf "$work"
echo "winauto: all checks passed"
