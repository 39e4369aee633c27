#!/usr/bin/env bash
# Builds dock.exe and runs it under Wine on Linux.
#
#   ./run.sh [folder]
#
# The dock runs in `folder` (default build/run) with dock.exe copied there;
# its config.ini and an optional res folder live beside it; a folder without
# a config.ini gets one listing some of Wine's own programs. On a machine
# without a display the dock runs on a virtual one, and a screenshot is
# taken once its window shows. Ctrl+C closes the dock (which saves config.ini).
set -euo pipefail
cd "$(dirname "$0")"
folder="${1:-build/run}"
build="${DOCK_RUN_BUILD_DIR:-build/win64}"  # where dock.exe is built

scripts/install-deps.sh --runtime
echo "== building dock.exe"
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target dock
echo "== preparing the Wine prefix"
scripts/wine-setup.sh
source scripts/wine-env.sh

mkdir -p "$folder"
folder="$(cd "$folder" && pwd)"
cp "$build/src/app/dock.exe" "$folder/dock.exe"
if [ ! -f "$folder/config.ini" ]; then
    scripts/first-run-config.sh "$folder"
    echo "== a first config.ini lists some of Wine's programs: drop files on the dock" \
        "(or right-click, 添加项目) to add, drag an icon sideways to move it," \
        "drag it off the strip (or right-click, 删除选项) to remove it"
fi

virtual=""
if [ -z "${DISPLAY:-}" ]; then
    start_virtual_display
    virtual=1
fi

dock_pid=""
stopped=""
stop_dock() {
    [ -n "$stopped" ] && return
    stopped=1
    if [ -n "$dock_pid" ] && kill -0 "$dock_pid" 2>/dev/null; then
        # A polite close first: the dock saves config.ini on WM_CLOSE.
        wine_run taskkill /im dock.exe >/dev/null 2>&1 || true
        for _ in $(seq 1 30); do
            kill -0 "$dock_pid" 2>/dev/null || break
            sleep 0.1
        done
        kill "$dock_pid" 2>/dev/null || true
    fi
    [ -n "$virtual" ] && kill "$DOCK_XVFB_PID" 2>/dev/null || true
}
trap 'stop_dock; exit 0' INT TERM
trap stop_dock EXIT

# Its own session: a Ctrl+C in the terminal reaches only this script, which
# then closes the dock politely.
(cd "$folder" && exec setsid env LOCPATH="$DOCK_LOCPATH" LC_ALL="${DOCK_WINE_LC:-zh_CN.UTF-8}" \
    wine ./dock.exe) &
dock_pid=$!
echo "== the dock is running in $folder on display $DISPLAY (Ctrl+C to stop)"

if [ -n "$virtual" ]; then
    # The screenshot waits for the dock's window (a minute at most: a busy
    # machine starts Wine slowly).
    for _ in $(seq 1 600); do
        xdotool search --onlyvisible --class dock.exe >/dev/null 2>&1 && break
        sleep 0.1
    done
    shot="$folder/screenshot.png"
    import -window root "$shot"
    echo "== screenshot of the virtual display: $shot"
fi
wait "$dock_pid" || true
