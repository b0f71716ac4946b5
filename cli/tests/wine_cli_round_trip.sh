#!/usr/bin/env bash
# ostrandcli.exe over the real ostrand.dll, the virtual printer's hobrel.dll and
# its driver under Wine, as an administrator or a deployment system runs it:
# an unattended update with --verify --json whose object is read back, then
# Ctrl+C while the client waits for the printer: the console's handler, which
# only a real console shows, ends the process at once with the cancelled exit
# code and its object.
# Arguments: the Wine loader and the folder holding the binaries.
set -uo pipefail
wine=$1
bin=$2
export WINE=$wine
source "$(dirname "$0")/../../automation/vexlow-stage.sh"

work=$(mktemp -d)
printer="Virtual Printer"
trap 'vexlow_remove_printers "$bin" "$printer"; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*"
  tail -40 "$work/trace.txt" 2>/dev/null
  exit 1
}

# The client as a release ships it, with vexlow.ini and its package, and a
# printer of the driver in the prefix.
app="$work/app"
vexlow_stage_app "$app" "$bin" ostrandcli.exe ostrand.dll hobrel.dll
vexlow_write_ini "$app" "NewVersion=2.10" "DriverName=$VEXLOW_DRIVER" "KX7FileName=update.kx7"
vp_make_package "$app/update.kx7" 0x0415 3000
vexlow_install_printers "$bin" "$printer" || fail "the printer could not be installed"

vp_write_config "$work/printer.ini" "$work/state" "$work/trace.txt"
out=$(VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$work/printer.ini") "$wine" "$app/ostrandcli.exe" \
  update --verify --json 2>"$work/stderr") || fail "update exited $?: $(cat "$work/stderr")"
python3 - "$out" <<'PY' || fail "the update's object: $out"
import json, sys
r = json.loads(sys.argv[1])
assert (r["command"], r["printer"], r["model"], r["version"], r["transferResult"], r["bytes"],
        r["result"]["name"], r["verify"]["matched"], r["package"][-11:]) == (
        "update", "Virtual Printer", 0x0415, "2.10", 0, 3000, "completed", True, "\\update.kx7"), r
PY

# Wine turns SIGINT into the console's Ctrl+C; once the status request has
# gone out, the client waits for the late reply.
rm -f "$work/trace.txt"
vp_write_config "$work/late.ini" "$work/late-state" "$work/trace.txt" "$(printf '[faults]\nlate_status = 8000')"
VEXLOW_VIRTUAL_PRINTER=$(vp_win_path "$work/late.ini") "$wine" "$app/ostrandcli.exe" --json \
  status "$printer" >"$work/interrupted.json" 2>/dev/null &
client=$!
for _ in $(seq 200); do
  grep -q "readable only" "$work/trace.txt" 2>/dev/null && break
  sleep 0.1
done
kill -INT "$client"
wait "$client"
status=$?
[ "$status" -eq 8 ] || fail "an interrupted status exited $status, not 8"
grep -q '"name":"cancelled"' "$work/interrupted.json" ||
  fail "an interrupted status wrote no object: $(cat "$work/interrupted.json")"
echo "all passed"
