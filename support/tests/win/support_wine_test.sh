#!/usr/bin/env bash
# Support's programs under Wine through the real ostrandcli.exe and ostrand.dll,
# in the folder support stages at a customer's: the recorder as hobrel.dll and
# the virtual printer's hobrel.dll as the maker's library, with a printer of
# the virtual printer's driver installed.
# - A send is recorded, then replayed on a virtual printer in replay mode with
#   the recorder still between: it succeeds again, and the second recording
#   holds the same calls, arguments and bytes as the first. Replayed with one
#   byte of a chunk altered, the send fails and the virtual printer says on
#   stderr at which call it parted from the recording.
# - The bundle holds the recording, vexlow.ini and system.txt and nothing
#   else; without the recorder, no recording.
# The recording format, the replay's answers and partings, the archive and the
# recorder's failing writes are checked natively.
# Argument: the folder of the Windows binaries.
set -uo pipefail
bin_dir="$1"
source "$(dirname "$0")/../../../automation/vexlow-stage.sh"
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
work="$(mktemp -d)"
app="$work/app"
printer="Virtual Printer"
trap 'vexlow_remove_printers "$bin_dir" "$printer"; rm -rf "$work"' EXIT
vexlow_install_printers "$bin_dir" "$printer" || fail "cannot add the printer"
vexlow_stage_app "$app" "$bin_dir" ostrand.dll ostrandcli.exe || fail "cannot stage"
cp "$bin_dir/hobrel_recorder.dll" "$app/hobrel.dll" && cp "$bin_dir/hobrel.dll" "$app/hobrel-maker.dll" ||
  fail "cannot stage the libraries"
vexlow_write_ini "$app" "NewVersion=2.10" "DriverName=$VEXLOW_DRIVER" "KX7FileName=update.kx7"
vp_make_package "$work/update.kx7" 0x0415 3000
machine="x86-64 (64-bit)"
[ "${WINEARCH:-win64}" = win32 ] && machine="x86 (32-bit)"

# send RECORDING [PRINTER_LINE]: ostrandcli sends the package, the recorder
# writing RECORDING (a name in the program's folder), to a virtual printer
# configured with the line given; its stderr goes to $work/stderr.
send() {
  printf '[recorder]\r\nlibrary=hobrel-maker.dll\r\nrecording=%s\r\n' "$1" >"$app/hobrel-recorder.ini"
  vp_write_config "$work/printer.ini" "$work/state" "$work/trace.txt" "${2:-}"
  VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/printer.ini")" "$WINE" "$app/ostrandcli.exe" --quiet \
    send "$printer" "$(vp_win_path "$work/update.kx7")" >/dev/null 2>"$work/stderr"
}

# The calls of a recording without their times, what crossed the port: not
# the time a call took, nor its timeout, the time left of a deadline that the
# protocol counts down (1000 ms in one run, 999 in another).
calls() { grep -v '^#' "$1" | sed -E 's/ us=[0-9]+\r?$//; s/ timeout=[0-9]+//'; }

send first.txt || fail "send exited $?: $(cat "$work/stderr")"
send again.txt "replay = $(vp_win_path "$app/first.txt")" || fail "the replay exited $?: $(cat "$work/stderr")"
diff <(calls "$app/first.txt") <(calls "$app/again.txt") >&2 || fail "the replay's recording differs"
# The 11th byte of the first chunk: hex digits 21 and 22 of its data.
call="$(grep -m1 ' write@4 count=200 ' "$app/first.txt" | cut -d' ' -f1)"
sed -E "/^$call /{s/(data=.{20})00/\1FF/;t;s/(data=.{20})../\100/}" "$app/first.txt" >"$work/altered.txt"
send parted.txt "replay = $(vp_win_path "$work/altered.txt")" && fail "a send parting from its recording succeeded"
said="replay parts from the recording at call $call (other bytes written, from byte 10)"
grep -qF "$said" "$work/stderr" || fail "stderr does not say: $said"

# bundle NAME FILE...: a bundle holding exactly those files.
bundle() {
  local zip="$work/$1"
  shift
  "$WINE" "$app/ostrandcli.exe" bundle "$(vp_win_path "$zip")" || fail "bundle exited $?"
  [ "$(unzip -Z1 "$zip" | sort)" = "$(printf '%s\n' "$@" | sort)" ] ||
    fail "$zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"
}

# expect_line ZIP TEXT: system.txt of the bundle has a line holding TEXT.
expect_line() {
  unzip -p "$work/$1" system.txt | tr -d '\r' | grep -qF -- "$2" ||
    { unzip -p "$work/$1" system.txt >&2; fail "system.txt has no line with: $2"; }
}

bundle recorded.zip recording.txt vexlow.ini system.txt
cmp -s <(unzip -p "$work/recorded.zip" recording.txt) "$app/parted.txt" || fail "recording.txt"
cmp -s <(unzip -p "$work/recorded.zip" vexlow.ini) "$app/vexlow.ini" || fail "vexlow.ini"
expect_line recorded.zip "Recorder: in place as hobrel.dll; library=hobrel-maker.dll, recording=parted.txt"
expect_line recorded.zip "version 1.0.0.0, $machine"
[ "$(unzip -p "$work/recorded.zip" system.txt | grep -c "version .*, $machine")" = 4 ] ||
  fail "not every program and library has its version and machine"
expect_line recorded.zip "\"$printer\": driver \"$VEXLOW_DRIVER\", port \"FILE:\", model 0x0415"

rm "$app/hobrel-recorder.ini"
bundle plain.zip vexlow.ini system.txt
expect_line plain.zip "Recorder: not in place (no hobrel-recorder.ini)"

"$WINE" "$app/ostrandcli.exe" bundle >/dev/null 2>&1
[ $? = 64 ] || fail "bundle without its argument is not a usage error"
echo "support under Wine: all checks passed"
