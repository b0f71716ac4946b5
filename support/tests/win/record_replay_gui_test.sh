#!/usr/bin/env bash
# Recording and replay end to end through the real Vexlow.exe and ostrand.dll
# under Wine: the recorder (as hobrel.dll) sits between them and the virtual
# printer's hobrel.dll (as hobrel-maker.dll). A failing update (the printer
# rejects the request) is recorded, then replayed on a virtual printer in replay
# mode with the recorder still between: the same message, and a second
# recording with the same calls, arguments and bytes as the first. A completed
# update is recorded and replayed the same way; replayed with one byte of a
# chunk the tool writes altered, every call before it is answered as recorded
# and the altered one is reported. The two completed updates cost the tool's
# 12-second pause.
# Argument: the folder of the Windows binaries.
set -uo pipefail
bin_dir="$1"
source "$(dirname "$0")/../../../automation/vexlow-dialogs.sh"
wine_gui_init "$bin_dir"
vexlow_test_scene
use_language en
trace="$work/trace.txt"
completed='Completed the update for Glinterra.\n\nTurn off the printer.'
failed='Failed to transfer.'

stage
cp "$bin_dir/hobrel_recorder.dll" "$app/hobrel.dll" || wine_gui_fail "cannot stage the recorder"
cp "$bin_dir/hobrel.dll" "$app/hobrel-maker.dll" || wine_gui_fail "cannot stage the printer"
vp_make_package "$app/update.kx7" 0x0415 3000

# update RECORDING PRINTER_LINES ICON:MESSAGE: one run of the program, from
# its start to its end, recorded to RECORDING, against a printer configured
# with the lines given (\n between them).
update() {
  local recording="$1" lines="$2" outcome="$3"
  printf '[recorder]\r\nlibrary=hobrel-maker.dll\r\nrecording=%s\r\n' "$(vp_win_path "$recording")" \
    >"$app/hobrel-recorder.ini"
  rm -rf "$state" "$trace"
  vp_write_config "$work/printer.ini" "$state" "$trace" "$(printf '%b' "$lines")"
  VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/printer.ini")" to_selection
  choose "$answering"
  start_update
  expect_box "${outcome%%:*}" "${outcome#*:}" 1
  if [ "${outcome#*:}" != "$completed" ]; then
    press selection 1004
  fi
  wine_gui_wait_exit 20 || wine_gui_fail "the program did not end"
  [ -s "$recording" ] || wine_gui_fail "nothing recorded in $recording"
}

# The calls of a recording without their times, what crossed the port: not
# the time a call took, nor its timeout, the time left of a deadline that the
# protocol counts down (1000 ms in one run, 999 in another).
calls() { grep -v '^#' "$1" | sed -E 's/ us=[0-9]+\r?$//; s/ timeout=[0-9]+//'; }

# same_calls A B: both recordings hold the same calls, arguments and bytes.
same_calls() {
  diff <(calls "$1") <(calls "$2") >&2 || wine_gui_fail "$2 differs from $1"
}

echo "-- a failing update, recorded, then replayed"
update "$work/rejected.txt" "[faults]\nreject_request = 1" "stop:$failed"
update "$work/rejected-again.txt" "replay = $(vp_win_path "$work/rejected.txt")" "stop:$failed"
same_calls "$work/rejected.txt" "$work/rejected-again.txt"

echo "-- a completed update, recorded, then replayed"
update "$work/completed.txt" "" "information:$completed"
expect_stored "$app/update.kx7"
update "$work/completed-again.txt" "replay = $(vp_win_path "$work/completed.txt")" \
  "information:$completed"
same_calls "$work/completed.txt" "$work/completed-again.txt"

echo "-- one byte of a chunk the tool writes, altered in the recording"
# The 11th byte of the first chunk: hex digits 21 and 22 of its data.
awk '!done && / write@4 count=200 / {
       call = $1
       i = index($0, "data=") + 5 + 20
       $0 = substr($0, 1, i - 1) (substr($0, i, 2) == "00" ? "01" : "00") substr($0, i + 2)
       done = 1
       print call > "/dev/stderr"
     } { print }' "$work/completed.txt" >"$work/altered.txt" 2>"$work/altered-call.txt"
call="$(cat "$work/altered-call.txt")"
update "$work/altered-again.txt" "replay = $(vp_win_path "$work/altered.txt")" "stop:$failed"
said="replay parts from the recording at call $call (other bytes written, from byte 10)"
grep -qF "$said" "$WINE_GUI_LOG" || wine_gui_fail "stderr does not say: $said"
grep -qE "^  ! recorded: $call write@4 count=200 " "$trace" ||
  wine_gui_fail "the trace does not show the recorded call $call"
[ -z "$(ls -A "$state")" ] || wine_gui_fail "the replaying printer stored a file"

echo "record and replay through Vexlow: all checks passed"
