#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-10}
shopt -s nullglob
targets=("$root"/fuzz/*_fuzz.cpp)
if [ ${#targets[@]} -eq 0 ]; then
    echo "fuzz: no targets yet"
    exit 0
fi
export CCACHE_BASEDIR=$root
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DWORDMILL_BUILD_FUZZ=ON -DWORDMILL_BUILD_TESTS=OFF -DWORDMILL_BUILD_BENCH=OFF
fi
cmake --build "$build" --parallel "$(nproc)"
for src in "${targets[@]}"; do
    name=$(basename "$src" .cpp)
    corpus=$build/corpus/$name
    mkdir -p "$corpus"
    seeds=()
    [ -d "$root/fuzz/seeds/$name" ] && seeds=("$root/fuzz/seeds/$name")
    echo "fuzz: $name for ${seconds}s"
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 ASAN_OPTIONS=detect_leaks=1 \
        "$build/fuzz/$name" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 \
        -print_final_stats=0 "$corpus" "${seeds[@]}" 2>"$build/$name.log" \
        || { tail -50 "$build/$name.log"; echo "fuzz: $name found a fault"; exit 1; }
done
