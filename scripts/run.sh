#!/usr/bin/env bash
# Builds and starts the setup program on the emulated Windows machine, with
# the bundled demo download server on the loopback interface, so the whole
# wizard can be clicked through.
#
#   scripts/run.sh
#
# The machine lives in build/demo-machine (created on first start; edit its
# machine.ini or delete the folder to start afresh). CORVANE_DEMO_PORT picks
# the server's port (default 8471), CORVANE_DEMO_RATE slows transfers down to
# that many bytes per second so the progress bar can be watched.
# Without a display the program runs under a virtual X server for a few
# seconds and a screenshot of it is written to build/screenshot.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

"$root/scripts/bootstrap.sh"
"$root/scripts/build.sh"

port=${CORVANE_DEMO_PORT:-8471}
server_log=$(mktemp)
server_pid=
cleanup() {
    if [ -n "$server_pid" ]; then
        kill "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -f "$server_log"
}
trap cleanup EXIT

python3 "$root/scripts/demo_server.py" --port "$port" --rate "${CORVANE_DEMO_RATE:-0}" \
    >"$server_log" 2>&1 &
server_pid=$!
base=
for _ in $(seq 50); do
    base=$(grep -o 'http://127\.0\.0\.1:[0-9]*' "$server_log" || true)
    if [ -n "$base" ] || ! kill -0 "$server_pid" 2>/dev/null; then
        break
    fi
    sleep 0.1
done
if [ -z "$base" ]; then
    echo "run: the demo download server did not start:" >&2
    cat "$server_log" >&2
    exit 1
fi
echo "run: demo download server at $base"

export CORVANE_DOWNLOAD_BASE=$base
export CORVANE_MACHINE_PROFILE=$build/demo-machine
echo "run: emulated machine in $CORVANE_MACHINE_PROFILE"

program=$build/setup/corvane-setup
if [ -n "${DISPLAY:-}" ]; then
    "$program"
    exit
fi

screenshot=$build/screenshot.png
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" &
    pid=$!
    sleep 4
    import -window root "$2"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
' run "$program" "$screenshot"
echo "run: screenshot of the window: $screenshot"
