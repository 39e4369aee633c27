# shellcheck shell=bash
# Sourced by scripts/bench.sh: the hover sweep. The pointer moves along a
# 10-item row and back, 1 px every 10 ms, over our dock and over two peer
# docks (plank under xcompmgr, which it needs to magnify, and cairo-dock
# with its cairo renderer), each on a fresh Xvfb of its own, runs
# alternating. Counted from /proc over the sweep: the dock, the X server, and
# wineserver for ours or xcompmgr for plank. Each run appends one JSON line
# to sweep.jsonl; one more run of ours under Wine's window trace counts its
# screen updates, apart, as the trace costs CPU of its own.
#
# Needs from bench.sh: wine-env.sh sourced, server_pid and `out`.

sweep_dir=""

# plank, cairo-dock and xcompmgr from Debian when missing; the tests never
# need them, so scripts/install-deps.sh leaves them out.
install_peers() {
    local p missing=()
    for p in plank cairo-dock xcompmgr dbus-daemon; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

shot() { import -window root -depth 8 "rgb:$1"; }

# Waits until a dock has drawn itself and its picture stands still, then
# prints the sweep's row "X_FROM X_TO Y": across everything drawn on the
# screen's background, at half an icon (`icon` px) below the top of it.
find_row() {
    local icon="$1" width box left top right
    width="$(echo "${DOCK_SCREEN:-1280x800x24}" | cut -dx -f1)"
    rm -f "$sweep_dir/prev.rgb"
    for _ in $(seq 1 300); do
        shot "$sweep_dir/now.rgb"
        if cmp -s "$sweep_dir/now.rgb" "$sweep_dir/prev.rgb"; then
            box="$(python3 scripts/sweep_row.py "$sweep_dir/now.rgb" "$width")"
            if [ -n "$box" ]; then
                read -r left top right _ <<<"$box"
                echo "$left $right $((top + icon / 2))"
                return 0
            fi
        fi
        mv "$sweep_dir/now.rgb" "$sweep_dir/prev.rgb"
        sleep 0.2
    done
    echo "no dock came up on the screen" >&2
    return 1
}

# The first process named `name` whose parent is `parent`, waited for.
child_named() {
    local parent="$1" name="$2" pid
    for _ in $(seq 1 300); do
        pid="$(pgrep -x -P "$parent" "$name" | head -n 1 || true)"
        [ -n "$pid" ] && {
            echo "$pid"
            return 0
        }
        sleep 0.1
    done
    echo "$name did not start" >&2
    return 1
}

# One sweep of the pointer over the row, counting the processes given as
# NAME=PID; appends the result for `dock` to sweep.jsonl.
sweep_once() {
    local dock="$1" run="$2" row="$3"
    shift 3
    local load line
    load="$(cut -d' ' -f1-3 /proc/loadavg)"
    # A raised priority where allowed (nice runs it as it is where not), so
    # that a loaded machine delays few steps.
    # shellcheck disable=SC2086
    line="$(nice -n -10 python3 scripts/sweep_pointer.py $row "$sweep_seconds" "$@")"
    echo "{\"dock\": \"$dock\", \"run\": $run, \"load\": \"$load\", \"sweep\": $line}" \
        >>"$out/sweep.jsonl"
    xdotool mousemove 5 5
}

# Ours: the dock folder made by bench.sh, its 10 items at 300, 300 (or
# `folder`, counted as `label`: today's dock). With `trace` set, Wine's window
# trace counts its screen updates (`UpdateLayeredWindow` calls) over the sweep.
sweep_ours() {
    local run="$1" trace="${2:-}" folder="${3:-$sweep_folder}" label="${4:-ours}"
    local dock_pid="" p row server wine
    wineserver -k 2>/dev/null || true
    # Wine's desktop up on this display before the dock's window is made.
    wine_run cmd /c exit >/dev/null 2>&1 || true
    if [ -n "$trace" ]; then
        WINEDEBUG=+win wine_run "$folder/dock.exe" >/dev/null 2>"$sweep_dir/trace.log" &
    else
        wine_run "$folder/dock.exe" >/dev/null 2>&1 &
    fi
    wine=$!
    for _ in $(seq 1 600); do
        for p in $(pgrep -x dock.exe || true); do
            tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null |
                grep -q "$(basename "$folder").dock\.exe" && dock_pid="$p"
        done
        [ -n "$dock_pid" ] && break
        sleep 0.1
    done
    row="$(find_row 26)"  # icons of 26 px at rest: 36 px cells, 5 px of padding
    server="$(server_pid)"
    if [ -n "$trace" ]; then
        local p0 p1
        p0="$(grep -c NtUserUpdateLayeredWindow "$sweep_dir/trace.log" || true)"
        sweep_once ours_traced "$run" "$row" "dock=$dock_pid"
        p1="$(grep -c NtUserUpdateLayeredWindow "$sweep_dir/trace.log" || true)"
        echo "{\"dock\": \"ours_updates\", \"updates\": $((p1 - p0))}" >>"$out/sweep.jsonl"
    else
        sweep_once "$label" "$run" "$row" "dock=$dock_pid" "wineserver=$server" "Xvfb=$DOCK_XVFB_PID"
    fi
    wineserver -k 2>/dev/null || true
    wait "$wine" || true
    rm -f "$sweep_dir/trace.log"
}

# Ten launchers of programs on this machine, each with a picture of its own,
# as .desktop files in the peers' throw-away data folder.
peer_launchers() {
    local apps="$XDG_DATA_HOME/applications" n=0 prog icon
    local programs=(xdotool Xvfb python3 display wine plank cairo-dock xcompmgr cmake git)
    local icons
    # Programs' pictures, one file (the largest) for each name.
    mapfile -t icons < <(find /usr/share/icons/hicolor/*/apps /usr/share/pixmaps \
        \( -name '*.png' -o -name '*.svg' -o -name '*.xpm' \) -printf '%s %p\n' 2>/dev/null |
        grep -vE '/(8x8|16x16|22x22|24x24|32x32|36x36|42x42)/' | sort -rn |
        awk '{ name = $2; sub(/.*\//, "", name); sub(/\.[^.]*$/, "", name)
               if (!seen[name]++) print $2 }' | sort)
    mkdir -p "$apps"
    for prog in "${programs[@]}"; do
        prog="$(command -v "$prog")" || continue
        icon="${icons[$((n % ${#icons[@]}))]}"
        n=$((n + 1))
        printf '[Desktop Entry]\nType=Application\nName=Item %d\nExec=%s\nIcon=%s\n' \
            "$n" "$prog" "$icon" >"$apps/item-$(printf %02d "$n").desktop"
        [ "$n" -eq 10 ] && return 0
    done
    echo "fewer than 10 programs for the peers' launchers" >&2
    return 1
}

# A throw-away HOME and XDG folders for one peer run.
peer_home() {
    local home="$sweep_dir/home-$1"
    rm -rf "$home"
    mkdir -p "$home/run"
    chmod 700 "$home/run"
    export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_CACHE_HOME="$home/.cache" XDG_RUNTIME_DIR="$home/run" NO_AT_BRIDGE=1
    peer_launchers
}

# plank: 48 px icons, zoom 200 %, always shown; its settings through
# GSettings' key file, its items as .dockitem files pointing at the launchers.
sweep_plank() (
    local run="$1" items="" f name session dock comp row
    peer_home plank
    export GSETTINGS_BACKEND=keyfile
    mkdir -p "$XDG_CONFIG_HOME/plank/dock1/launchers" "$XDG_CONFIG_HOME/glib-2.0/settings"
    for f in "$XDG_DATA_HOME"/applications/*.desktop; do
        name="$(basename "$f" .desktop).dockitem"
        printf '[PlankDockItemPreferences]\nLauncher=file://%s\n' "$f" \
            >"$XDG_CONFIG_HOME/plank/dock1/launchers/$name"
        items="$items${items:+, }'$name'"
    done
    cat >"$XDG_CONFIG_HOME/glib-2.0/settings/keyfile" <<EOF
[net/launchpad/plank/docks/dock1]
zoom-enabled=true
zoom-percent=200
icon-size=48
hide-mode=0
dock-items=[$items]
EOF
    xcompmgr >/dev/null 2>&1 &
    comp=$!
    dbus-run-session -- plank >/dev/null 2>&1 &
    session=$!
    dock="$(child_named "$session" plank)"
    row="$(find_row 48)"
    sweep_once plank "$run" "$row" "dock=$dock" "Xvfb=$DOCK_XVFB_PID" "xcompmgr=$comp"
    kill "$dock" "$comp"
    wait "$session" "$comp" || true
)

# cairo-dock -c: its single-dock theme with our 10 launchers in place of its
# own, 48 px icons, zoom 2, always on top, no applets.
sweep_cairo_dock() (
    local run="$1" theme f n=0 session dock row
    peer_home cairo-dock
    theme="$XDG_CONFIG_HOME/cairo-dock/current_theme"
    mkdir -p "$theme"
    cp -r /usr/share/cairo-dock/themes/Default-Single/. "$theme/"
    rm -f "$theme"/launchers/*
    for f in "$XDG_DATA_HOME"/applications/*.desktop; do
        n=$((n + 1))
        { cat "$f"; printf 'Container=_MainDock_\nOrder=%d\nIcon Type=0\n' "$n"; } \
            >"$theme/launchers/$(basename "$f")"
    done
    sed -i -e 's/^zoom max=.*/zoom max=2/' -e 's/^visibility=.*/visibility=0/' \
        -e 's/^modules=.*/modules=/' -e 's/^launcher size=.*/launcher size=48;48;/' \
        "$theme/cairo-dock.conf"
    dbus-run-session -- cairo-dock -c >/dev/null 2>&1 &
    session=$!
    dock="$(child_named "$session" cairo-dock)"
    row="$(find_row 48)"
    sweep_once cairo-dock "$run" "$row" "dock=$dock" "Xvfb=$DOCK_XVFB_PID"
    kill "$dock"
    wait "$session" || true
)

# hover_sweep FOLDER RUNS SECONDS PEERS [TODAY]: FOLDER holds dock.exe and a
# config.ini of 10 items; PEERS empty leaves the peer docks out; TODAY, a
# folder like FOLDER with today's dock.exe, is swept in every run too.
hover_sweep() (
    sweep_folder="$1"
    local runs="$2" peers="$4" today="${5:-}" run
    sweep_seconds="$3"
    sweep_dir="$out/sweep"
    mkdir -p "$sweep_dir"
    : >"$out/sweep.jsonl"
    [ -n "$peers" ] && install_peers
    # A fresh X server for every run; the pointer starts away from the dock.
    # A run cut short leaves neither its display nor Wine behind (the peers
    # end with their display).
    local display=""
    trap '[ -z "$display" ] || kill "$display" 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
    on_fresh_display() {
        start_virtual_display
        display="$DOCK_XVFB_PID"
        xdotool mousemove 5 5
        "$@"
        kill "$display"
        wait "$display" 2>/dev/null || true
        display=""
    }
    for run in $(seq 1 "$runs"); do
        on_fresh_display sweep_ours "$run"
        [ -z "$today" ] || on_fresh_display sweep_ours "$run" "" "$today" today
        if [ -n "$peers" ]; then
            on_fresh_display sweep_plank "$run"
            on_fresh_display sweep_cairo_dock "$run"
        fi
    done
    on_fresh_display sweep_ours 1 trace
)
