#!/usr/bin/env bash
# ostrandcli bundle under Wine, in the folder support stages at a customer's:
# Vexlow.exe, ostrand.dll, ostrandcli.exe, vexlow.ini, the recorder as
# hobrel.dll and the virtual printer's hobrel.dll as the maker's library, with
# a printer of the virtual printer's driver installed. The bundle holds the
# recording, vexlow.ini and system.txt and nothing else; without the recorder,
# no recording. The archive itself and the recorder's failing writes are
# checked natively.
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
printer="Support Printer"
trap 'vexlow_remove_printers "$bin_dir" "$printer"; rm -rf "$work"' EXIT
vexlow_install_printers "$bin_dir" "$printer" || fail "cannot add the printer"
vexlow_stage_app "$app" "$bin_dir" ostrand.dll ostrandcli.exe || fail "cannot stage"
cp "$bin_dir/hobrel_recorder.dll" "$app/hobrel.dll" && cp "$bin_dir/hobrel.dll" "$app/hobrel-maker.dll" ||
  fail "cannot stage the libraries"
vexlow_write_ini "$app" "NewVersion=2.10" "DriverName=$VEXLOW_DRIVER" "KX7FileName=update.kx7"
printf '[printer]\nname = %s\n' "$printer" >"$work/printer.ini"
export VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/printer.ini")"
machine="x86-64 (64-bit)"
[ "${WINEARCH:-win64}" = win32 ] && machine="x86 (32-bit)"

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

printf '[recorder]\r\nlibrary=hobrel-maker.dll\r\nrecording=support.txt\r\n' >"$app/hobrel-recorder.ini"
"$WINE" "$app/ostrandcli.exe" status "$printer" >/dev/null || fail "status"
bundle recorded.zip recording.txt vexlow.ini system.txt
cmp -s <(unzip -p "$work/recorded.zip" recording.txt) "$app/support.txt" || fail "recording.txt"
cmp -s <(unzip -p "$work/recorded.zip" vexlow.ini) "$app/vexlow.ini" || fail "vexlow.ini"
expect_line recorded.zip "Recorder: in place as hobrel.dll; library=hobrel-maker.dll, recording=support.txt"
expect_line recorded.zip "the maker's hobrel.dll (library=): Z:${app//\//\\}\\hobrel-maker.dll"
expect_line recorded.zip "version 1.0.0.0, $machine"
[ "$(unzip -p "$work/recorded.zip" system.txt | grep -c "version .*, $machine")" = 4 ] ||
  fail "not every program and library has its version and machine"
expect_line recorded.zip "\"$printer\": driver \"$VEXLOW_DRIVER\", port \"FILE:\", model 0x0415"

rm "$app/hobrel-recorder.ini"
bundle plain.zip vexlow.ini system.txt
expect_line plain.zip "Recorder: not in place (no hobrel-recorder.ini)"

"$WINE" "$app/ostrandcli.exe" bundle >/dev/null 2>&1
[ $? = 64 ] || fail "bundle without its argument is not a usage error"
echo "support bundle: all checks passed"
