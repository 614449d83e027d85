#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the GoogleTest suites,
# the Windows backend cross-compile check and bounded fuzzing runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh"
build=${BUILD_DIR:-$root/build}

echo "== unit and widget tests"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure --timeout 300 -j "$(nproc)"

echo "== Windows backend (mingw-w64 i686)"
"$root/scripts/check-windows.sh"

echo "== fuzzing"
"$root/scripts/fuzz.sh"

echo "all tests passed"
