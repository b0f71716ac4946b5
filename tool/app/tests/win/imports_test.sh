#!/usr/bin/env bash
# Fails when a program imports any library but the system's own, such as a
# MinGW runtime DLL that a user's Windows lacks or that could be planted.
# Arguments: the objdump to use, then the programs to check.
set -uo pipefail
objdump="$1"
shift
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|advapi32|shell32|ole32|oleaut32|winspool\.drv|version|msvcrt|ucrtbase|api-ms-win-[a-z0-9-]+)(\.dll)?$'
status=0
for program in "$@"; do
  dlls="$("$objdump" -p "$program" | sed -n 's/^[[:space:]]*DLL Name: //p')" ||
    { echo "FAIL: cannot read $program"; exit 1; }
  [ -n "$dlls" ] || { echo "FAIL: no imports found in $program"; status=1; }
  while read -r dll; do
    [ -n "$dll" ] || continue
    if grep -qiE "$system_dlls" <<<"$dll"; then
      echo "ok: $(basename "$program") imports $dll"
    else
      echo "FAIL: $(basename "$program") imports $dll"
      status=1
    fi
  done <<<"$dlls"
done
exit "$status"
