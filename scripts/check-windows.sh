#!/usr/bin/env bash
# Cross-compiles the Win32 backend of the setup program with mingw-w64 (i686,
# the program is a 32-bit process) and links it into a small check program, so
# the Windows code keeps building on a Linux machine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cxx=${MINGW_CXX:-i686-w64-mingw32-g++-posix}
command -v "$cxx" >/dev/null || cxx=i686-w64-mingw32-g++
out=${BUILD_DIR:-$root/build}/win32-check
mkdir -p "$out"
shopt -s nullglob
sources=("$root"/setup/platform/win32/*.cpp)
if [ ${#sources[@]} -eq 0 ]; then
    echo "check-windows: no Win32 sources yet"
    exit 0
fi
"$cxx" -std=c++20 -Wall -Wextra -Werror -municode -DUNICODE -D_UNICODE -O1 \
    -I"$root/setup/platform/win32" "${sources[@]}" \
    -o "$out/win32-check.exe" \
    -static -ladvapi32 -lwininet -lurlmon -lshell32 -luser32 -lole32 -luuid
echo "check-windows: built $out/win32-check.exe"
# The program's resources (manifest and version information) must compile too.
windres=${MINGW_WINDRES:-i686-w64-mingw32-windres}
if command -v "$windres" >/dev/null && [ -f "$root/setup/resources/corvane-setup.rc" ]; then
    "$windres" -O coff -I"$root/setup/resources" "$root/setup/resources/corvane-setup.rc" \
        -o "$out/corvane-setup-res.o"
    echo "check-windows: compiled setup/resources/corvane-setup.rc"
fi
