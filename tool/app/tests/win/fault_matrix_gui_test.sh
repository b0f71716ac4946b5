#!/usr/bin/env bash
# The printer's faults on the paths the whole updates do not take, each during
# an update run of the real Vexlow.exe and ostrand.dll under Wine: a readiness
# check that fails, a link lost in the middle of the send and at its last
# status block, a cancel during the status wait. The program shows the message
# and icon of that failure, never the completion, stays open for another try,
# and the printer keeps no partial file.
# A fresh process per row, since the printer reads its faults when it loads;
# every row that reaches the transfer costs the tool's 12-second pause.
# Argument: the folder of the Windows binaries.
set -uo pipefail
bin_dir="$1"
source "$(dirname "$0")/../../../../automation/vexlow-dialogs.sh"
wine_gui_init "$bin_dir"
vexlow_test_scene
trace="$work/trace.txt"
use_language en
stage
vp_make_package "$app/update.kx7" 0x0415 3000

declare -A message=(
  [1910]='Cannot communicate with the printer.\n\nMake sure that: \n\n*the printer is turned on,\n*the cable is correctly connected,\n*the printer is set to Transfer mode.'
  [1911]='Failed to transfer.'
  [1916]='Transferring cancelled.'
  [2002]="$confirm"
)

# Each row, for the printer that answers: fault | moment | printer
# configuration (\n between lines) | messages in order (icon:id; "cancel"
# presses Escape in the progress dialog once the trace shows the late status)
# | what the printer holds afterwards.
# Before the payload's 3000 bytes cross 48 bytes of identification and
# readiness and 100 of command, header and first status block; 15 chunks of
# 204 bytes then lead to the last status block. A link lost there leaves the
# printer with the whole file, yet the program cannot know it was kept.
rows=(
  "late status|readiness check|[faults]\nlate_status = 1500|exclamation:1910|nothing"
  "broken link|a chunk|[faults]\nbreak_link_after = 1268|exclamation:2002 stop:1911|nothing"
  "broken link|last status block|[faults]\nbreak_link_after = 3218|exclamation:2002 stop:1911|the package"
  "late status|status wait of the send, cancelled|accept_count = 2000\n[faults]\nlate_status = 5000 data|exclamation:2002 cancel exclamation:1916|nothing"
)

# A whole row: the program from its start to its end.
run_row() {
  local config="$1" steps="$2" holds="$3" step
  rm -rf "$state" "$trace"
  vp_write_config "$work/printer.ini" "$state" "$trace" "$(printf '%b' "$config")"
  VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/printer.ini")" to_selection
  choose "$answering"
  winauto click "${selection[@]}" --id 1001 || wine_gui_fail "Update"
  for step in $steps; do
    if [ "$step" = cancel ]; then
      wait_for progress
      local deadline=$((SECONDS + 30))
      until grep -q late_status "$trace" 2>/dev/null; do
        ((SECONDS < deadline)) || wine_gui_fail "the fault did not strike"
        sleep 0.2
      done
      winauto key "${progress[@]}" --text escape || wine_gui_fail "Escape"
      continue
    fi
    local id="${step#*:}" button=1
    [ "$id" = 2002 ] && button=6
    expect_box "${step%%:*}" "${message[$id]}" "$button"
  done
  # Another try stays possible, and no further message came.
  box_text >/dev/null && wine_gui_fail "another message: $(box_text)"
  press selection 1004
  wine_gui_wait_exit 20 || wine_gui_fail "the program did not end on Exit"
  if [ "$holds" = "the package" ]; then
    expect_stored "$app/update.kx7"
  else
    [ -z "$(ls -A "$state")" ] || wine_gui_fail "the printer holds: $(ls "$state")"
  fi
}

for row in "${rows[@]}"; do
  IFS='|' read -r fault moment config steps holds <<<"$row"
  run_row "$config" "$steps" "$holds"
  echo "ok: $fault ($moment): ${steps//exclamation:2002 /}, holds $holds"
done
echo "fault matrix through Vexlow: all rows passed"
