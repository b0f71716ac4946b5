#!/usr/bin/env bash
# Adds the virtual printer's driver "Quorbel ZN-418", its registration and
# printers of it to the Wine prefix of a Windows build, or removes them, with
# vp_install_driver.exe; the arguments go to it unchanged:
#   virtual_printer/scripts/vp-install-driver.sh install --printer "Label Printer"
#   virtual_printer/scripts/vp-install-driver.sh remove
# WINE_BUILD_DIR names the Windows build folder (default build/windows); its
# wineprefix is the one the tests and the demo use.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${WINE_BUILD_DIR:-$root/build/windows}
installer="$build/bin/vp_install_driver.exe"
if [ ! -f "$installer" ]; then
  echo "vp-install-driver: $installer is not built" >&2
  exit 1
fi
wine=${WINE:-/usr/lib/wine/wine64}
export WINEPREFIX=${WINEPREFIX:-$build/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1 || true
fi
exec "$wine" "$installer" "$@"
