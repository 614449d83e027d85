#!/usr/bin/env bash
# Cross-compiles the Win32 backend of the setup program with mingw-w64 (i686,
# the program is a 32-bit process), so the Windows code keeps building on a
# Linux machine. Into $BUILD_DIR/win32-check it links:
#   win32-check.exe  asks each probe once (a manual check on Windows)
#   win32-tests.exe  the backend's test suite that scripts/wine-tests.sh runs
#   win32-child.exe  the small program that suite starts and waits for
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cxx=${MINGW_CXX:-i686-w64-mingw32-g++-posix}
command -v "$cxx" >/dev/null || cxx=i686-w64-mingw32-g++
out=${BUILD_DIR:-$root/build}/win32-check
mkdir -p "$out/obj"
shopt -s nullglob
backend=()
for f in "$root"/setup/platform/win32/*.cpp; do
    [ "$(basename "$f")" = check_main.cpp ] || backend+=("$f")
done
if [ ${#backend[@]} -eq 0 ]; then
    echo "check-windows: no Win32 sources yet"
    exit 0
fi
tests=()
for f in "$root"/tests/win32/*.cpp; do
    [ "$(basename "$f")" = child_program.cpp ] || tests+=("$f")
done
gtest=/usr/src/googletest/googletest

launcher=()
if command -v ccache >/dev/null; then
    launcher=(ccache)
    export CCACHE_BASEDIR=$root CCACHE_DIR=${CCACHE_DIR:-$HOME/.cache/ccache}
fi
flags=(-std=c++20 -Wall -Wextra -Werror -municode -DUNICODE -D_UNICODE -O1
    -I"$root/setup/platform/win32" -I"$gtest/include" -I"$gtest")

# One object per source, so ccache serves everything that did not change.
object() {
    local source=$1 name
    name=$(realpath --relative-to="$root" "$source" 2>/dev/null || echo "$source")
    echo "$out/obj/${name//\//_}.o"
}
compile() {
    local source=$1 extra=()
    [ "$source" = "$gtest/src/gtest-all.cc" ] && extra=(-Wno-error)
    "${launcher[@]}" "$cxx" "${flags[@]}" "${extra[@]}" -c "$source" -o "$(object "$source")"
}
sources=("${backend[@]}" "$root/setup/platform/win32/check_main.cpp" "$root/tests/win32/child_program.cpp")
if [ -f "$gtest/src/gtest-all.cc" ]; then
    sources+=("${tests[@]}" "$gtest/src/gtest-all.cc")
fi
pids=()
jobs=$(nproc)
for s in "${sources[@]}"; do
    compile "$s" &
    pids+=($!)
    if [ ${#pids[@]} -ge "$jobs" ]; then
        wait "${pids[0]}"
        pids=("${pids[@]:1}")
    fi
done
for p in "${pids[@]}"; do wait "$p"; done

libs=(-static -ladvapi32 -lwininet -lurlmon -lshell32 -luser32 -lole32 -luuid -lwintrust)
backend_objects=()
for s in "${backend[@]}"; do backend_objects+=("$(object "$s")"); done
"$cxx" -municode "${backend_objects[@]}" "$(object "$root/setup/platform/win32/check_main.cpp")" \
    -o "$out/win32-check.exe" "${libs[@]}"
"$cxx" -municode "$(object "$root/tests/win32/child_program.cpp")" -o "$out/win32-child.exe" -static
echo "check-windows: built $out/win32-check.exe"
if [ -f "$gtest/src/gtest-all.cc" ]; then
    test_objects=()
    for s in "${tests[@]}"; do test_objects+=("$(object "$s")"); done
    "$cxx" -municode "${backend_objects[@]}" "${test_objects[@]}" "$(object "$gtest/src/gtest-all.cc")" \
        -o "$out/win32-tests.exe" "${libs[@]}"
    echo "check-windows: built $out/win32-tests.exe"
fi

# The Qt side of the Windows backend (Win32Platform and the choice of the
# native backend) cannot be built here: there is no Qt for mingw-w64. Checked
# against this machine's Qt headers with the Windows compiler, its Windows
# branches still have their syntax and types checked against the Platform
# interface they implement.
qt=$(pkg-config --variable=includedir Qt6Core 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
for f in "$root/setup/platform/Platform.cpp" "$root/setup/platform/Win32Platform.cpp"; do
    [ -f "$f" ] || continue
    "$cxx" -fsyntax-only -std=c++20 -Wall -Wextra -Werror -DUNICODE -D_UNICODE \
        -DQT_NO_CAST_FROM_ASCII -isystem "$qt" -isystem "$qt/QtCore" -I"$root/setup" "$f"
done
echo "check-windows: checked the Qt side of the Windows backend"

# The program's resources (manifest and version information) must compile too.
windres=${MINGW_WINDRES:-i686-w64-mingw32-windres}
if command -v "$windres" >/dev/null && [ -f "$root/setup/resources/corvane-setup.rc" ]; then
    "$windres" -O coff -I"$root/setup/resources" "$root/setup/resources/corvane-setup.rc" \
        -o "$out/corvane-setup-res.o"
    echo "check-windows: compiled setup/resources/corvane-setup.rc"
fi
