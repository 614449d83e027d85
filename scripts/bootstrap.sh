#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, and
# only those that are missing. Safe to run any number of times.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    g++-mingw-w64-i686
    wine wine32:i386 wine64 wixl openssl osslsigncode
    xvfb xauth xdotool imagemagick fonts-dejavu-core fonts-liberation2
    python3 openssl
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi

# Wine runs the 32-bit Windows test program through the i386 architecture.
added_architecture=
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "bootstrap: adding the i386 architecture"
    "${sudo_cmd[@]}" dpkg --add-architecture i386
    added_architecture=1
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ] && [ -z "$added_architecture" ]; then
    exit 0
fi

echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
