#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the GoogleTest suites
# under AddressSanitizer and UndefinedBehaviorSanitizer, the Windows backend
# cross-compiled and run under Wine, and bounded fuzzing runs.
#
# The suites run in one instrumented tree, build-sanitize/ (or
# $SANITIZE_BUILD_DIR), that holds everything they link and start;
# scripts/run.sh keeps the plain build/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/bootstrap.sh"
sanitize_build=${SANITIZE_BUILD_DIR:-$root/build-sanitize}
# The benchmarks are not run here: the instrumented tree leaves them out.
BUILD_DIR=$sanitize_build "$root/scripts/build.sh" -DWORDMILL_SANITIZE=ON -DWORDMILL_BUILD_BENCH=OFF

echo "== unit and widget tests (AddressSanitizer, UndefinedBehaviorSanitizer)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$sanitize_build" --output-on-failure --timeout 300 \
    -j "$(nproc)"

echo "== Windows backend (mingw-w64 i686, run under Wine)"
"$root/scripts/check-windows.sh"
"$root/scripts/wine-tests.sh"

echo "== fuzzing"
"$root/scripts/fuzz.sh"

echo "all tests passed"
