#!/usr/bin/env bash
# Runs the Win32 backend's test suite (built by scripts/check-windows.sh) under
# Wine: probes, downloads from a loopback HTTP server, run-and-wait, msiexec
# with a package that wixl builds from tests/win32/data, and the Authenticode
# check of files signed here with a throw-away certificate.
#
# Each run works in a throw-away Wine prefix in a temp folder, with its own
# wineserver that is stopped on exit; a user's ~/.wine is never touched and
# nothing needs a display. Creating a prefix takes half a minute, so an
# initialized one is kept in $BUILD_DIR/wine and each run starts from a copy
# of it (the large system folders hard-linked: Wine only reads them once the
# prefix is up to date, and the cache is rebuilt when Wine changes).
#
# The suite runs in a 64-bit prefix (a 32-bit process under WOW64, keys in
# both registry views) and its probes once more in a 32-bit prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
bin=$build/win32-check
started=$SECONDS

for tool in wine wineserver wineboot wixl openssl osslsigncode python3; do
    if ! command -v "$tool" >/dev/null; then
        echo "wine-tests: $tool is missing (scripts/bootstrap.sh installs it)" >&2
        exit 1
    fi
done
for program in win32-tests.exe win32-child.exe; do
    if [ ! -f "$bin/$program" ]; then
        echo "wine-tests: $bin/$program is missing (scripts/check-windows.sh builds it)" >&2
        exit 1
    fi
done

unset DISPLAY WAYLAND_DISPLAY WINEARCH WINELOADER WINESERVER
export WINEDEBUG=-all
# No Mono or Gecko installers, and no menu entries in the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

work=$(mktemp -d "${TMPDIR:-/tmp}/corvane-wine.XXXXXX")
server_pid=
prefixes=()
creations=() # job:prefix of prefixes being created
cleanup() {
    local prefix creation
    for creation in "${creations[@]}"; do
        if kill -0 "${creation%%:*}" 2>/dev/null; then
            WINEPREFIX=${creation#*:}.new wineserver -k 2>/dev/null || true
        fi
    done
    for prefix in "${prefixes[@]}"; do
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
        WINEPREFIX=$prefix timeout 20 wineserver -w 2>/dev/null || true
    done
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A Windows path for a file of this machine (Wine's drive Z: is the root).
windows_path() {
    local path=$1
    printf 'Z:%s' "${path//\//\\}"
}

# The initialized prefix of an architecture, created once per Wine version:
# the Windows version, and the keys the registry probes look for, added with
# "reg add" as an administrator would.
cache_path() {
    local arch=$1 version=$2 key
    key=$(printf '%s|%s|%s|keys-1' "$(wine --version)" "$(stat -c %Y /usr/share/wine/wine.inf)" \
        "$version" | sha1sum | cut -c1-12)
    echo "$build/wine/$arch-$key"
}
cached_prefix() {
    local arch=$1 version=$2 cache
    cache=$(cache_path "$arch" "$version")
    mkdir -p "$build/wine"
    (
        flock 9
        if [ ! -f "$cache/.corvane-ready" ]; then
            rm -rf "$build/wine/$arch-"*
            local fresh=$cache.new
            rm -rf "$fresh"
            mkdir -p "$fresh"
            local t0=$SECONDS
            WINEPREFIX=$fresh WINEARCH=$arch timeout -k 10 300 wineboot -i >/dev/null 2>&1
            local view32=/reg:32 view64=/reg:64
            if [ "$arch" = win32 ]; then
                view32= view64=
            fi
            printf '%s\r\n' "@echo off" \
                "reg add HKCU\\Software\\Wine /v Version /d $version /f" \
                "reg add HKLM\\SOFTWARE\\CorvaneWineTest\\Both\\Empty /f $view32" \
                "reg add HKLM\\SOFTWARE\\CorvaneWineTest\\Only64 /f $view64" >"$fresh/keys.bat"
            WINEPREFIX=$fresh timeout -k 10 120 wine cmd /c "$(windows_path "$fresh/keys.bat")" \
                >/dev/null 2>&1
            rm "$fresh/keys.bat"
            WINEPREFIX=$fresh wineserver -k 2>/dev/null || true
            WINEPREFIX=$fresh timeout 60 wineserver -w
            touch "$fresh/.corvane-ready"
            mv "$fresh" "$cache"
            echo "wine-tests: created the $arch prefix in $((SECONDS - t0)) s" >&2
        fi
    ) 9>"$build/wine/.$arch.lock"
    echo "$cache"
}

# A private copy of a cached prefix.
copy_prefix() {
    local cache=$1 prefix=$2 folder
    mkdir -p "$prefix"
    tar -C "$cache" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
        -cf - . | tar -C "$prefix" -xf -
    for folder in system32 syswow64; do
        if [ -d "$cache/drive_c/windows/$folder" ]; then
            cp -al "$cache/drive_c/windows/$folder" "$prefix/drive_c/windows/$folder"
        fi
    done
}

# Both prefixes are made ready (created on the first run) while the files
# below are prepared.
cached_prefix win64 win7 >"$work/win64.cache" &
win64_job=$!
creations+=("$win64_job:$(cache_path win64 win7)")
cached_prefix win32 winxp >"$work/win32.cache" &
win32_job=$!
creations+=("$win32_job:$(cache_path win32 winxp)")

# --- files the suite works with ------------------------------------------
spaced="$work/folder with spaces"
mkdir -p "$spaced" "$work/www" "$work/signed"
cp "$bin/win32-child.exe" "$spaced/win32-child.exe"
wixl -o "$spaced/test prerequisites.msi" "$root/tests/win32/data/prerequisites.wxs"

payload_size=1572864
python3 -c "
import sys
size = int(sys.argv[2])
pattern = bytes(i % 251 for i in range(251))
data = (pattern * (size // 251 + 1))[:size]
open(sys.argv[1], 'wb').write(data)
" "$work/www/payload.bin" "$payload_size"

# A code-signing certificate of a throw-away authority, made for this run.
(
    cd "$work/signed"
    openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Corvane test authority" \
        -keyout ca.key -out ca.crt -addext "basicConstraints=critical,CA:TRUE" \
        -addext "keyUsage=critical,keyCertSign" 2>/dev/null
    openssl req -newkey rsa:2048 -nodes -subj "/CN=Corvane test signer" \
        -keyout signer.key -out signer.csr 2>/dev/null
    printf 'extendedKeyUsage=codeSigning\nbasicConstraints=CA:FALSE\n' >signer.ext
    openssl x509 -req -in signer.csr -CA ca.crt -CAkey ca.key -CAcreateserial -days 2 \
        -extfile signer.ext -out signer.crt 2>/dev/null
    cp "$bin/win32-child.exe" unsigned.exe
    cp "$spaced/test prerequisites.msi" unsigned.msi
    osslsigncode sign -certs signer.crt -key signer.key -ac ca.crt -in unsigned.exe \
        -out signed.exe >/dev/null
    osslsigncode sign -certs signer.crt -key signer.key -ac ca.crt -in unsigned.msi \
        -out signed.msi >/dev/null
    # One byte of the code changed after signing.
    cp signed.exe altered.exe
    printf '\x90' | dd of=altered.exe bs=1 seek=1040 conv=notrunc status=none
)

# --- the loopback server and a port nobody listens on --------------------
python3 "$root/scripts/demo_server.py" --port 0 --root "$work/www" >"$work/server.log" 2>&1 &
server_pid=$!
server=
for _ in $(seq 100); do
    server=$(grep -o 'http://127\.0\.0\.1:[0-9]*' "$work/server.log" || true)
    [ -n "$server" ] && break
    sleep 0.1
done
if [ -z "$server" ]; then
    echo "wine-tests: the loopback server did not start:" >&2
    cat "$work/server.log" >&2
    exit 1
fi
refused=http://127.0.0.1:$(python3 -c "
import socket
s = socket.socket()
s.bind(('127.0.0.1', 0))
print(s.getsockname()[1])
s.close()
")

# Wine calls a machine with a default route connected.
online=0
if awk 'NR > 1 && $2 == "00000000" { found = 1 } END { exit !found }' /proc/net/route; then
    online=1
fi

# --- the runs -------------------------------------------------------------
status=0
run_suite() {
    local arch=$1 version=$2 triple=$3 wow64=$4 locale=$5 filter=$6 job=$7 cache prefix
    if ! wait "$job"; then
        echo "wine-tests: the $arch prefix could not be created" >&2
        status=1
        return
    fi
    cache=$(cat "$work/$arch.cache")
    prefix=$work/prefix-$arch
    copy_prefix "$cache" "$prefix"
    prefixes+=("$prefix")
    echo "-- $arch prefix, Windows $version, locale $locale"
    WINEPREFIX=$prefix wineserver -p 30
    # Bounded, so a hanging program ends the run instead of the whole job.
    if ! WINEPREFIX=$prefix timeout -k 10 100 env LC_ALL="$locale" wine "$bin/win32-tests.exe" \
        --gtest_filter="$filter" \
        --server="$server" --refused="$refused" --payload-size="$payload_size" \
        --child="$(windows_path "$spaced/win32-child.exe")" \
        --msi="$(windows_path "$spaced/test prerequisites.msi")" \
        --signed-files="$(windows_path "$work/signed")" \
        --version="$triple" --wow64="$wow64" --online="$online" --locale="${locale%%_*}"; then
        status=1
    fi
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
}

# The whole suite where the program normally runs: a 32-bit process on
# 64-bit Windows, here in a Czech locale.
run_suite win64 win7 2.6.1 1 cs_CZ.UTF-8 '*' "$win64_job"
# The probes on 32-bit Windows XP in an English locale.
run_suite win32 winxp 2.5.1 0 en_US.UTF-8 'Probes*' "$win32_job"

echo "wine-tests: finished in $((SECONDS - started)) s"
exit $status
