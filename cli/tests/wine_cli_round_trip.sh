#!/usr/bin/env bash
# ostrandcli.exe over the real ostrand.dll, the virtual printer's hobrel.dll and
# its driver under Wine, one process per command as an administrator or a
# deployment system runs them: a dry run that changes nothing, an unattended
# update with --verify --json whose object is read back, a failure whose exit
# code passes through the process, and Ctrl+C while the client waits for the
# printer (the console's handler, which only a real console shows).
# Arguments: the Wine loader and the folder holding the binaries.
set -uo pipefail
wine=$1
bin=$2
here=$(cd "$(dirname "$0")" && pwd)
export WINE=$wine
source "$here/../../automation/vexlow-stage.sh"

work=$(mktemp -d)
failures=0
printer="Virtual Printer"
trap 'vexlow_remove_printers "$bin" "$printer"; rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# run INI ARGS...: the client in the staged folder against the printer INI
# configures; sets $status, $out and $err.
run() {
  local ini=$1
  shift
  out=$(VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$ini") "$wine" "$app/ostrandcli.exe" "$@" \
    2>"$work/stderr")
  status=$?
  err=$(cat "$work/stderr")
}

expect() {  # expect WHAT EXIT
  [ "$status" -eq "$2" ] || fail "$1: exit $status, expected $2; stdout: $out; stderr: $err"
}

# The client as a release ships it, with vexlow.ini and its package, and a
# printer of the driver in the prefix.
app="$work/app"
mkdir -p "$app"
cp "$bin/ostrandcli.exe" "$bin/ostrand.dll" "$bin/hobrel.dll" "$app/"
vexlow_write_ini "$app" "NewVersion=2.10" "DriverName=$VEXLOW_DRIVER" "KX7FileName=update.kx7"
vp_make_package "$app/update.kx7" 0x0415 3000
vexlow_install_printers "$bin" "$printer" || fail "the printer could not be installed"
state="$work/state"
ini="$work/printer.ini"
trace="$work/trace.txt"
vp_write_config "$ini" "$state" "$trace"

# --- dry run: the printer's trace holds nothing that changes it
run "$ini" update --dry-run
expect "dry run" 0
[[ $out == *"Nothing was sent."* ]] || fail "dry run: $out"
! grep -E "mode command|command [DR] |transfer begun|stored:|removed" "$trace" ||
  fail "the dry run changed the printer"
[ "$(vp_stored_files "$state")" -eq 0 ] || fail "the dry run stored a file"

# --- the unattended update, its object read back
run "$ini" update --verify --json
expect "update --verify --json" 0
python3 - "$out" <<'PY' || fail "the update's object: $out"
import json, sys
report = json.loads(sys.argv[1])
want = {"command": "update", "printer": "Virtual Printer", "model": 0x0415, "version": "2.10",
        "dryRun": False, "transferResult": 0, "bytes": 3000}
for key, value in want.items():
    assert report[key] == value, (key, report[key])
assert report["package"].endswith("\\update.kx7"), report["package"]
assert report["result"]["code"] == 0 and report["result"]["name"] == "completed", report["result"]
assert "Completed the update" in report["result"]["words"], report["result"]
assert report["verify"]["matched"] is True, report["verify"]
assert report["seconds"] >= 0
PY
grep -q "mode command" "$trace" || fail "the update sent no mode command"
[[ $err == *"waiting 12 seconds"* ]] || fail "the update left the printer no pause: $err"

# --- a failure: Ostrand's result code is the process's exit code
vp_write_config "$work/rejecting.ini" "$work/rejecting-state" "$work/rejecting-trace.txt" \
  "[faults]
reject_request = 1"
run "$work/rejecting.ini" send "$printer" "$(vp_win_path "$app/update.kx7")"
expect "a rejected send" 7

# --- Ctrl+C (Wine turns SIGINT into the console's Ctrl+C) ends a status that
# waits for a late reply at once, with the cancelled code and its object
vp_write_config "$work/late.ini" "$work/late-state" "$work/late-trace.txt" "[faults]
late_status = 8000"
VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$work/late.ini") "$wine" "$app/ostrandcli.exe" --json \
  status "$printer" >"$work/interrupted.json" 2>/dev/null &
client=$!
# Once the status request has gone out, the client waits for the reply.
for _ in $(seq 200); do
  grep -q "readable only" "$work/late-trace.txt" 2>/dev/null && break
  sleep 0.1
done
kill -INT "$client"
wait "$client"
status=$?
out=$(cat "$work/interrupted.json")
err=""
expect "an interrupted status" 8
[[ $out == *'"name":"cancelled"'* ]] || fail "an interrupted status wrote no object: $out"

if [ $failures -gt 0 ]; then
  echo "$failures failures; the end of the trace:"
  tail -40 "$trace" 2>/dev/null
  exit 1
fi
echo "all passed"
