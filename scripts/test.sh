#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the GoogleTest suites,
# the Windows backend cross-compiled and run under Wine, and bounded fuzzing runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}

echo "== unit and widget tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)"

echo "== Windows backend (mingw-w64 i686, run under Wine)"
"$root/scripts/check-windows.sh"
"$root/scripts/wine-tests.sh"

echo "== fuzzing"
"$root/scripts/fuzz.sh"

echo "all tests passed"
