#!/usr/bin/env bash
# What the update tool's dialogs cost a transfer: the same 1 MiB package sent
# through Vexlow.exe (an update run, driven with winauto) and through
# ostrandcli.exe send, under Wine, to the virtual printer over a link whose
# every port call costs 1 ms. The transfer phase of each runs from the first
# length word to the stored file, as the printer's timed trace records them;
# the tool's 12-second pause lies after it and does not count. The two take
# turns for some rounds (default 3), and the median of the rounds' ratios
# (GUI / console) is printed. A measurement, not a test: it needs a Release
# Windows build and takes about a minute a round.
#
#   virtual_printer/bench/gui_vs_cli.sh [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
rounds=${1:-3}

cmake -S . -B build/windows --no-warn-unused-cli -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake >/dev/null
cmake --build build/windows -j "$(nproc)" \
  --target Vexlow ostrand hobrel quorbel_info vp_install_driver winauto ostrandcli >/dev/null
bin_dir="$root/build/windows/bin"
WINE_BUILD_DIR="$root/build/windows"
source "$root/scripts/lib/wine-session.sh"
wine_session_start
source "$root/automation/vexlow-dialogs.sh"
set +e
wine_gui_init "$bin_dir"
vexlow_test_scene
trap 'vexlow_test_scene_end; wine_session_stop' EXIT
use_language en
stage
package="$app/update.kx7"
vp_make_package "$package" 0x0415 1048576

# run_printer NAME: the printer's configuration for one send, with its own
# trace (work/NAME.txt) and an empty memory.
run_printer() {
  rm -rf "$state" "$work/$1.txt"
  vp_write_config "$work/$1.ini" "$state" "$work/$1.txt" \
    "$(printf 'trace_times = yes\n[faults]\nslow_link = 0 1000')"
  VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$work/$1.ini")
  export VEXLOW_VIRTUAL_PRINTER
}

# transfer_ms NAME: milliseconds from the first length word to the stored
# file, then the part of them the host spent between a chunk and the next
# length word (the progress callback's share).
transfer_ms() {
  tr -d '\r' <"$work/$1.txt" | awk '
    $2 == "length" && $3 == "word" && !start { start = $1 }
    $2 == "stored:" { end = $1 }
    /= ok, 200 written/ { chunk = $1 }
    /^ *[0-9.]+ write\(4 bytes/ && chunk { between += $1 - chunk; chunk = 0 }
    END { if (start && end) printf "%.0f %.0f\n", end - start, between; else exit 1 }'
}

send_cli() {
  run_printer cli
  "$WINE" "$bin_dir/ostrandcli.exe" send "$answering" "$(vp_win_path "$package")" >/dev/null ||
    wine_gui_fail "ostrandcli send failed"
}

send_gui() {
  run_printer gui
  to_selection
  choose "$answering"
  start_update
  expect_box information 'Completed the update for Glinterra.\n\nTurn off the printer.' 1
  wine_gui_wait_exit 20 || wine_gui_fail "Vexlow.exe did not end after the update"
}

ratios=()
for ((round = 1; round <= rounds; round++)); do
  send_cli
  read -r cli cli_between < <(transfer_ms cli) || wine_gui_fail "no transfer in the console client's trace"
  send_gui
  read -r gui gui_between < <(transfer_ms gui) || wine_gui_fail "no transfer in the tool's trace"
  expect_stored "$package"
  ratio=$(awk -v g="$gui" -v c="$cli" 'BEGIN { printf "%.3f", g / c }')
  ratios+=("$ratio")
  echo "round $round: console $cli ms, GUI $gui ms, ratio $ratio" \
    "(between chunks: console $cli_between ms, GUI $gui_between ms)"
done
median=$(printf '%s\n' "${ratios[@]}" | sort -n | awk '{ r[NR] = $1 } END { print r[int((NR + 1) / 2)] }')
echo "GUI / console transfer time, median of $rounds rounds: $median (aim: at most 1.02)"
