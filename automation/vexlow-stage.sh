# Shell functions that stage Vexlow.exe for runs under Wine against the
# virtual printer: the program's folder with its companions and vexlow.ini, a
# package, and printers of the virtual printer's driver "Quorbel ZN-418" in
# the Wine prefix. For GUI tests, demonstrations and measurements alike:
#
#   source "$repo/automation/vexlow-stage.sh"       # also gives vp-lib.sh's functions
#   vexlow_stage_app "$app" "$bin_dir" ostrand.dll hobrel.dll
#   vexlow_write_ini "$app" "NewVersion=2.10" "DriverName=$VEXLOW_DRIVER" "KX7FileName=update.kx7"
#   vp_make_package "$app/update.kx7" 0x0415 100000     # the virtual printer's model
#   vp_write_config "$work/printer.ini" "$work/state" "$work/trace.txt"
#   export VEXLOW_VIRTUAL_PRINTER="$(vp_win_path "$work/printer.ini")"
#   vexlow_install_printers "$bin_dir" "Virtual Printer"    # the printer's default name
#   ... run "$app/Vexlow.exe" ...
#   vexlow_remove_printers "$bin_dir" "Virtual Printer"
#
# WINEPREFIX names the prefix (the Windows build's, from ctest or
# scripts/lib/wine-session.sh); WINE the loader.

source "$(dirname "${BASH_SOURCE[0]}")/../virtual_printer/scripts/vp-lib.sh"

VEXLOW_DRIVER="Quorbel ZN-418"
VEXLOW_DRIVER_KEY='HKLM\SOFTWARE\Quorbel Industries, Ltd.\Skorvin\Driver\3.0\Quorbel ZN-418'
: "${WINE:=/usr/lib/wine/wine64}"
vexlow_stage_added_driver=""

# vexlow_stage_app DIR BIN_DIR [FILE...]: a fresh DIR holding Vexlow.exe and
# the named files of BIN_DIR.
vexlow_stage_app() {
  local dir="$1" bin="$2" file
  shift 2
  rm -rf "$dir"
  mkdir -p "$dir"
  for file in Vexlow.exe "$@"; do
    cp "$bin/$file" "$dir/" || return 1
  done
}

# vexlow_write_ini DIR LINE...: DIR/vexlow.ini, section [UPDATE] and the lines
# given ("Key=value"), with the CRLF line ends of a Windows editor.
vexlow_write_ini() {
  local dir="$1"
  shift
  printf '%s\r\n' "[UPDATE]" "$@" >"$dir/vexlow.ini"
}

# vexlow_driver_installer BIN_DIR install|remove NAME...: vp_install_driver.exe
# of BIN_DIR for the printers of those names.
vexlow_driver_installer() {
  local bin="$1" command="$2" name args=()
  shift 2
  for name in "$@"; do
    args+=(--printer "$name")
  done
  "$WINE" "$bin/vp_install_driver.exe" "$command" "${args[@]}"
}

# vexlow_install_printers BIN_DIR NAME...: the driver, its registration and a
# printer of it per name.
vexlow_install_printers() {
  if ! "$WINE" reg query "$VEXLOW_DRIVER_KEY" >/dev/null 2>&1; then
    vexlow_stage_added_driver=yes
  fi
  vexlow_driver_installer "$1" install "${@:2}" >/dev/null
}

# vexlow_remove_printers BIN_DIR NAME...: removes those printers, and the driver
# too when vexlow_install_printers was the one that added it.
vexlow_remove_printers() {
  local bin="$1"
  vexlow_driver_installer "$bin" remove "${@:2}" >/dev/null 2>&1
  if [ -n "$vexlow_stage_added_driver" ]; then
    "$WINE" "$bin/vp_install_driver.exe" remove >/dev/null 2>&1
    vexlow_stage_added_driver=""
  fi
}

# vexlow_window_frames wine|manager: who frames Vexlow.exe's windows (an
# application setting of the prefix). On a display without a window manager
# (Xvfb) Wine draws them, captions included, so screenshots show them, and
# keeps the windows unmanaged: a managed window that is shown or hidden waits
# up to two seconds for a manager that never answers. On a user's desktop the
# window manager frames them.
vexlow_window_frames() {
  local key='HKCU\Software\Wine\AppDefaults\Vexlow.exe\X11 Driver' value=N
  [ "$1" = wine ] || value=Y
  "$WINE" reg add "$key" /v Managed /d "$value" /f >/dev/null 2>&1 &&
    "$WINE" reg add "$key" /v Decorated /d "$value" /f >/dev/null 2>&1
}
