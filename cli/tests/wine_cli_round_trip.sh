#!/usr/bin/env bash
# ostrandcli.exe over the real ostrand.dll and the virtual printer's hobrel.dll,
# under Wine, one process per command as a technician runs them: a round trip
# (send, list, receive back byte for byte, delete), the library search, and
# the fault matrix, each fault ending with its result code and no file left
# half-stored.
# Arguments: the Wine loader and the folder holding the three binaries.
set -uo pipefail
wine=$1
bin=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../virtual_printer/scripts/vp-lib.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
printer="Virtual Printer"

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# run INI ARGS...: runs the client against the printer INI configures; sets
# $status, $out and $err.
run() {
  local ini=$1
  shift
  out=$(VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$ini") "$wine" "$bin/ostrandcli.exe" "$@" \
    2>"$work/stderr")
  status=$?
  err=$(cat "$work/stderr")
}

expect() {  # expect WHAT EXIT
  if [ "$status" -ne "$2" ]; then
    fail "$1: exit $status, expected $2; stdout: $out; stderr: $err"
  fi
}

# --- round trip
state="$work/state"
ini="$work/printer.ini"
vp_write_config "$ini" "$state" "$work/trace.txt"
vp_make_package "$work/sample.kx7" 0x0415 3000
pkg=$(vp_win_path "$work/sample.kx7")

run "$ini" status "$printer"
expect "status" 0
run "$ini" send "$printer" "$pkg"
expect "send" 0
[[ $out == *"100%"* ]] || fail "send drew no complete progress bar: $out"
run "$ini" list "$printer"
expect "list" 0
[[ $out == *"holds 1 file:"*"1. model 0x0415, 3000 payload bytes"* ]] || fail "list: $out"
run "$ini" receive "$printer" 1 "$(vp_win_path "$work/back.kx7")"
expect "receive" 0
cmp -s "$work/sample.kx7" "$work/back.kx7" || fail "the received file differs from the package"
run "$ini" delete "$printer" "$pkg"
expect "delete" 0
run "$ini" list "$printer"
expect "list after delete" 0
[[ $out == *"holds 0 files."* ]] || fail "list after delete: $out"
grep -q "stored: model 0x0415, 3000 bytes" "$work/trace.txt" || fail "trace lacks the stored file"

# --- the library search: an ostrand.dll in the current folder is never taken,
# only one beside the client or in the system folders
mkdir -p "$work/alone" "$work/cwd"
cp "$bin/ostrandcli.exe" "$work/alone/"
cp "$bin/ostrand.dll" "$bin/hobrel.dll" "$work/cwd/"
status=0
err=$(cd "$work/cwd" && VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$ini") \
  "$wine" "$work/alone/ostrandcli.exe" status "$printer" 2>&1 >/dev/null) || status=$?
[ "$status" -eq 69 ] && [[ $err == *"ostrand.dll cannot be loaded"* ]] ||
  fail "ostrandcli took ostrand.dll from the current folder: exit $status; $err"

# --- fault matrix: name | extra configuration | command ("@": the printer) | expected exit
vp_make_package "$work/other.kx7" 0x0415 500
other=$(vp_win_path "$work/other.kx7")
faults=(
  "unknown printer||status Nobody|1"
  "first request rejected|[faults]
reject_request = 1|send @ $pkg|7"
  "link breaks during the payload|[faults]
break_link_after = 1000|send @ $pkg|3"
  "begin transfer refused|[faults]
refuse_begin_transfer = yes|send @ $pkg|5"
  "short status replies|[faults]
short_status = 16|status @|4"
  "short status while the send waits|[printer]
accept_count = 1000
[faults]
short_status = 16 data|send @ $pkg|5"
  "late status beyond the time limit|[printer]
accept_count = 1000
[faults]
late_status = 5000 data|--timeout 3000 send @ $pkg|5"
  "slow link beyond the time limit|[faults]
slow_link = 300 0|--timeout 300 send @ $pkg|5"
  "wrong model|[faults]
wrong_model = 0x7777|send @ $pkg|7"
  "wrong magic|[faults]
wrong_magic = yes|status @|76"
  "receive of a file the printer does not hold||receive @ $other Z:$work/x.kx7|7"
  "delete of a file the printer does not hold||delete @ $other|7"
  "unreadable configuration|[faults]
no_such_fault = 1|status @|1"
)
for row in "${faults[@]}"; do
  IFS='|' read -r -d '' name extra command expected <<<"$row"
  expected=${expected%$'\n'}
  fstate="$work/fault-state"
  rm -rf "$fstate"
  vp_write_config "$work/fault.ini" "$fstate" "$work/fault-trace.txt" "$extra"
  read -r -a words <<<"$command"
  args=()
  for w in "${words[@]}"; do
    # "@" stands for the printer's name, which has a blank in it.
    if [ "$w" = "@" ]; then args+=("$printer"); else args+=("$w"); fi
  done
  before=$failures
  run "$work/fault.ini" "${args[@]}"
  expect "$name" "$expected"
  [ "$(vp_stored_files "$fstate")" -eq 0 ] || fail "$name: a file was left stored"
  [ $failures -eq "$before" ] && echo "ok: $name (exit $status)"
done
grep -q "unknown fault 'no_such_fault'" <<<"$err" || fail "a bad configuration is not named: $err"

if [ $failures -gt 0 ]; then
  echo "$failures failures; trace of the last fault run:"
  tail -40 "$work/fault-trace.txt" 2>/dev/null
  exit 1
fi
echo "all passed"
