# Sourced by scripts that drive the virtual printer under Wine: package files
# and printer configurations in a scratch folder.

# The Windows name of a Unix path (Wine's Z: drive is the Unix root).
vp_win_path() { printf 'Z:%s' "$1"; }

# Little-endian bytes of a number, as printf escapes.
vp_le() {
  local value=$1 count=$2 i out=""
  for ((i = 0; i < count; i++)); do
    out+=$(printf '\\x%02x' $(((value >> (8 * i)) & 255)))
  done
  printf '%s' "$out"
}

# vp_make_package PATH MODEL PAYLOAD_SIZE: a package file with a 64-byte header
# (0x90 0x40, the model at offset 2, the payload size at offset 16) and a
# random payload.
vp_make_package() {
  local path=$1 model=$2 size=$3
  {
    printf "\\x90\\x40$(vp_le "$model" 2)"
    head -c 12 /dev/zero
    printf "$(vp_le "$size" 4)"
    head -c 44 /dev/zero
    head -c "$size" /dev/urandom
  } >"$path"
}

# vp_write_config INI STATE_DIR TRACE [EXTRA_LINES]: one printer named
# "Virtual Printer" that keeps its files in STATE_DIR and traces to TRACE; the
# extra lines (sections and keys) follow as given.
vp_write_config() {
  local ini=$1 state=$2 trace=$3 extra=${4:-}
  mkdir -p "$state"
  {
    echo "[printer]"
    echo "name = Virtual Printer"
    echo "state_dir = $(vp_win_path "$state")"
    echo "trace = $(vp_win_path "$trace")"
    printf '%s\n' "$extra"
  } >"$ini"
}

# Files the printer holds, counted in its state folder.
vp_stored_files() { find "$1" -maxdepth 1 -name 'file-*.vpf' | wc -l; }
