#!/usr/bin/env bash
# Builds the application and starts it. When no programming cable is attached
# (no /dev/ttyUSB* or /dev/ttyACM* device and no comN link of your own), a
# radio emulator is started beside it as COM8 and stopped when it exits.
# VX_EMULATOR=0 never starts the emulator; VX_EMULATOR=1 always does.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake --preset dev >/dev/null  # the test command's build (CMakePresets.json)
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vxprog radio-emulator

runtime="${XDG_RUNTIME_DIR:-${TMPDIR:-/tmp}/runtime-$(id -un)}"
links="$runtime/vxprog"

want_emulator() {
  case "${VX_EMULATOR:-auto}" in
    0) return 1 ;;
    1) return 0 ;;
  esac
  compgen -G '/dev/ttyUSB*' >/dev/null && return 1
  compgen -G '/dev/ttyACM*' >/dev/null && return 1
  for l in "$links"/com*; do
    [ -L "$l" ] && [ -e "$l" ] && return 1
  done
  return 0
}

if want_emulator; then
  build/emulator/radio-emulator --port 8 --demo >build/radio-emulator.log 2>&1 &
  emu=$!
  trap 'kill "$emu" 2>/dev/null; wait "$emu" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do
    [ -L "$links/com8" ] && break
    kill -0 "$emu" 2>/dev/null || { cat build/radio-emulator.log >&2; exit 1; }
    sleep 0.1
  done
  echo "No cable found: the radio emulator answers as COM8 ($(readlink -f "$links/com8"))." >&2
fi

build/vxprog "$@"
