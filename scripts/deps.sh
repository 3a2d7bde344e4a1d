#!/usr/bin/env bash
# Installs the Debian packages a command needs, only those missing.
# Usage: scripts/deps.sh build|run|screenshot|package ...
set -euo pipefail

declare -A sets=(
  [build]="cmake ninja-build g++ qt6-base-dev qt6-serialport-dev libgl-dev libyaml-cpp-dev help2man dpkg-dev lld"
  [run]="fonts-wqy-microhei qt6-qpa-plugins"
  [package]="lintian appstream desktop-file-utils"
  [screenshot]="xvfb xauth x11-apps imagemagick fonts-wqy-microhei"
)

want=()
for set in "$@"; do
  for pkg in ${sets[$set]}; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
      want+=("$pkg")
    fi
  done
done
[ ${#want[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
echo "Installing: ${want[*]}" >&2
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${want[@]}" >/dev/null
