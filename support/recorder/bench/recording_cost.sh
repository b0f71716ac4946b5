#!/usr/bin/env bash
# What the recorder costs a port call under Wine: the same package sent by
# ostrandcli.exe to the virtual printer with its hobrel.dll alone and with the
# recorder in front of it, the two taking turns ROUNDS times. Prints each
# round's times, the calls recorded, and the median difference per call.
# Run from the repository with a built Windows tree:
#   support/recorder/bench/recording_cost.sh [ROUNDS] [PAYLOAD_BYTES] [BUILD_DIR]
set -euo pipefail
rounds="${1:-5}"
payload="${2:-4194304}"
root="$(cd "$(dirname "$0")/../../.." && pwd)"
bin="${3:-$root/build/windows}/bin"
source "$root/scripts/lib/wine-session.sh"
WINE_BUILD_DIR="$(dirname "$bin")" wine_session_start
source "$root/virtual_printer/scripts/vp-lib.sh"
work="$(mktemp -d)"
trap 'wine_session_stop; rm -rf "$work"' EXIT

mkdir -p "$work/plain" "$work/recorded"
cp "$bin/ostrandcli.exe" "$bin/ostrand.dll" "$bin/hobrel.dll" "$work/plain/"
cp "$bin/ostrandcli.exe" "$bin/ostrand.dll" "$work/recorded/"
cp "$bin/hobrel_recorder.dll" "$work/recorded/hobrel.dll"
cp "$bin/hobrel.dll" "$work/recorded/hobrel-maker.dll"
printf '[recorder]\r\nlibrary=hobrel-maker.dll\r\nrecording=%s\r\n' \
  "$(vp_win_path "$work/recording.txt")" >"$work/recorded/hobrel-recorder.ini"
vp_make_package "$work/update.kx7" 0x0415 "$payload"
printf '[printer]\nname = Virtual Printer\n' >"$work/printer.ini"
export VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/printer.ini")"

# send FOLDER: seconds of one send through that folder's libraries.
send() {
  local start end
  start=$(date +%s.%N)
  "$WINE" "$work/$1/ostrandcli.exe" send "Virtual Printer" "$(vp_win_path "$work/update.kx7")" \
    >/dev/null
  end=$(date +%s.%N)
  echo "$end - $start" | bc
}

send plain >/dev/null # the first start of Wine warms its caches
differences=()
for ((i = 1; i <= rounds; i++)); do
  plain=$(send plain)
  recorded=$(send recorded)
  differences+=("$(echo "$recorded - $plain" | bc)")
  echo "round $i: without ${plain} s, with the recorder ${recorded} s"
done
calls=$(grep -vc '^#' "$work/recording.txt")
calls=$((calls - 1)) # the header line
median=$(printf '%s\n' "${differences[@]}" | sort -g | sed -n "$(((rounds + 1) / 2))p")
echo "calls per send: $calls; median difference ${median} s"
echo "cost per call: $(echo "scale=2; $median * 1000000 / $calls" | bc) us"
