#!/usr/bin/env bash
# Builds everything and runs every test: once in a normal build, once under
# AddressSanitizer and UndefinedBehaviorSanitizer. Headless. ccache and lld
# are used when installed; the common Qt headers are precompiled. Both builds
# are presets in CMakePresets.json: "dev" in build/, "asan" in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build

export QT_QPA_PLATFORM=offscreen
jobs=$(nproc 2>/dev/null || echo 2)

cmake --preset dev >/dev/null
cmake --build build -j "$jobs"
# Most tests wait on the radio's pace or on timers, not the processor.
ctest --test-dir build --output-on-failure -j "$((jobs * 3))"

cmake --preset asan >/dev/null
# Only the test programs and what they run: the window program, the
# benchmarks, the manual pages and the package were built and checked above.
cmake --build build-asan -j "$jobs" --target vx_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 \
LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$((jobs * 3))"
