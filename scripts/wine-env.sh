# Sourced by run.sh, test.sh and the Wine test wrapper: where the private Wine
# prefix lives and how a program is started inside it.
# DOCK_WINE_ROOT may be set by the caller; it defaults to build/wine in the tree.
DOCK_SOURCE_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
DOCK_WINE_ROOT="${DOCK_WINE_ROOT:-$DOCK_SOURCE_DIR/build/wine}"
export WINEPREFIX="$DOCK_WINE_ROOT/prefix"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
DOCK_LOCPATH="$DOCK_WINE_ROOT/locale"

# Runs a Windows program with code page 936 (or the code page of $DOCK_WINE_LC).
wine_run() {
    env LOCPATH="$DOCK_LOCPATH" LC_ALL="${DOCK_WINE_LC:-zh_CN.UTF-8}" wine "$@"
}

# Starts Xvfb on the first free display number from 90 on; sets DISPLAY and
# DOCK_XVFB_PID. The caller stops it (kill "$DOCK_XVFB_PID").
start_virtual_display() {
    local n=90
    while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 "${DOCK_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
    DOCK_XVFB_PID=$!
    export DISPLAY=":$n"
    local i
    for i in $(seq 1 100); do
        [ -e "/tmp/.X11-unix/X$n" ] && return 0
        sleep 0.05
    done
    echo "Xvfb did not start on :$n" >&2
    return 1
}

# Waits until Wine's desktop process of this prefix is up: a window created
# before it exists gets no display driver and never reaches the screen. Another
# tree's desktop, running at the same time, does not count.
wait_for_wine_desktop() {
    local i pid
    for i in $(seq 1 200); do
        for pid in $(pgrep -f 'explorer.exe /desktop'); do
            if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
                sleep 0.5
                return 0
            fi
        done
        sleep 0.05
    done
    echo "Wine's desktop did not come up" >&2
    return 1
}
