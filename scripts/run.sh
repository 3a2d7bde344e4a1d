#!/usr/bin/env bash
# Builds the application and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build run
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 2)" --target vxprog
exec build/vxprog "$@"
