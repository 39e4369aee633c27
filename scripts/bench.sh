#!/usr/bin/env bash
# Builds and runs the whole performance suite; prints one table and writes it
# as JSON to build/bench/results.json.
#
#   scripts/bench.sh            the full suite (about a quarter of an hour)
#   scripts/bench.sh --quick    a check that every bench program runs and its
#                               figures come out (few frames, short rest)
#   scripts/bench.sh --rest     only the rest cost: its floor, the classic dock
#                               and the dock with running indicators
#   scripts/bench.sh --sweep    only the hover sweep, ours beside the peer docks
#                               (installs plank, cairo-dock and xcompmgr)
#
# Native figures come from a tree without sanitizers (build/bench-native),
# Windows ones from build/bench-win64, run under a Wine prefix of their own
# (DOCK_WINE_ROOT, default build/bench-wine) on a private Xvfb. Today's dock,
# the one before frames were composed from cached pictures (DOCK_BENCH_TODAY,
# a revision, default 4e42c31; empty: none), is built from that revision into
# build/bench-today-win64 and measured beside ours in the same run: the hover
# sweep, the rest cost, start-up and memory.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
quick=""
only_rest=""
[ "${1:-}" = "--quick" ] && quick=1
[ "${1:-}" = "--rest" ] && only_rest=1
only_sweep=""
[ "${1:-}" = "--sweep" ] && only_sweep=1

frames=500
rest_seconds=30
runs=3          # repetitions of the native benchmarks and of the extraction
startup_runs=5  # start-ups of each dock, for a median
save_runs=20    # saves of config.ini with 50 items, for a median
sweep_seconds=20
sweep_peers=1   # the hover sweep over the peer docks too
if [ -n "$quick" ]; then
    frames=20
    rest_seconds=2
    runs=1
    startup_runs=1
    save_runs=3
    sweep_seconds=2
    sweep_peers=""
fi

out="$root/build/bench"
native="${DOCK_BENCH_NATIVE_DIR:-$root/build/bench-native}"
win="${DOCK_BENCH_WIN_DIR:-$root/build/bench-win64}"
export DOCK_WINE_ROOT="${DOCK_WINE_ROOT:-$root/build/bench-wine}"
mkdir -p "$out"

scripts/install-deps.sh
echo "== building"
if [ -z "$only_rest$only_sweep" ]; then
    cmake --preset native -B "$native" -DDOCK_SANITIZE=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$native" -j "$(nproc)" --target model_bench >/dev/null
fi
cmake --preset win64 -B "$win" >/dev/null
cmake --build "$win" -j "$(nproc)" --target frame_bench dock_probe dock >/dev/null
today_rev="${DOCK_BENCH_TODAY-4e42c31}"
today_win="$root/build/bench-today-win64"
today_exe=""
if [ -n "$today_rev" ]; then
    today_commit="$(git rev-parse --verify "$today_rev^{commit}")"
    if [ "$(cat "$today_win/built-from" 2>/dev/null)" != "$today_commit" ]; then
        echo "== building today's dock ($today_rev)"
        rm -rf "$root/build/bench-today-src"
        mkdir -p "$root/build/bench-today-src"
        git archive "$today_commit" | tar -x -C "$root/build/bench-today-src"
        (cd "$root/build/bench-today-src" && cmake --preset win64 -B "$today_win" >/dev/null &&
            cmake --build "$today_win" -j "$(nproc)" --target dock >/dev/null)
        echo "$today_commit" >"$today_win/built-from"
    fi
    today_exe="$today_win/src/app/dock.exe"
fi
scripts/wine-setup.sh >/dev/null
source scripts/wine-env.sh
source scripts/bench_sweep.sh

xvfb_started=""
cleanup() {
    if [ -n "$xvfb_started" ]; then kill "$DOCK_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
start_virtual_display
xvfb_started=1
# Wine's desktop up before anything is timed.
wine_run cmd /c exit >/dev/null 2>&1 || true

load_before="$(cut -d' ' -f1-3 /proc/loadavg)"

rm -f "$out/model_bench.json" "$out/frame_bench.json"
if [ -z "$only_rest$only_sweep" ]; then
    echo "== model step and the dock's own frame work, natively"
    "$native/bench/model_bench" --benchmark_min_time=0.5 --benchmark_repetitions="$runs" \
        --benchmark_report_aggregates_only=true \
        --benchmark_out="$out/model_bench.json" --benchmark_out_format=json >/dev/null

    echo "== zoom frames under Wine, dock and its full redraw ($frames frames a size)"
    wine_run "$win/bench/frame_bench.exe" "$frames" 10,30,60,200 2>&1 | tr -d '\r'
    cp "$win/bench/frame_bench.json" "$out/frame_bench.json"
fi

echo "== the running dock: start-up, memory, rest cost"
# Items whose targets are executables: Wine's own programs, then the suite's
# own Windows programs, 50 in all.
sys32="$WINEPREFIX/drive_c/windows/system32"
targets=()
for f in "$win/bench/frame_bench.exe" "$win/bench/dock_probe.exe" "$win/src/app/dock.exe"; do
    targets+=("$(winepath -w "$f" 2>/dev/null | tr -d '\r')")
done
for f in $(ls "$sys32" | grep -i '\.exe$' | sort | head -n 47); do
    targets+=("C:\\windows\\system32\\$f")
done

# A dock folder with `count` items, placed at 300, 300 with nothing under the
# pointer. With `indicators` 1, 运行指示 is on and the first item is the dock
# itself, so that one indicator is drawn and every refresh finds a match.
# `exe`, when given, is the dock.exe to copy there (today's).
make_dock() {
    local folder="$1" count="$2" indicators="${3:-0}" exe="${4:-$win/src/app/dock.exe}"
    rm -rf "$folder"
    mkdir -p "$folder"
    cp "$exe" "$folder/dock.exe"
    python3 - "$folder/config.ini" "$count" "$indicators" \
        "$(winepath -w "$folder/dock.exe" | tr -d '\r')" "${targets[@]}" <<'EOF'
import sys
path, count, indicators, itself, targets = (sys.argv[1], int(sys.argv[2]), sys.argv[3] == "1",
                                            sys.argv[4], sys.argv[5:])
if indicators:
    targets = [itself] + targets
lines = ["[程序设置]", "左边=300", "顶边=300", "[图标列表]", "图标数=%d" % count]
for n, target in enumerate(targets[:count], 1):
    lines += ['显示名_%d="Item %d"' % (n, n), '快捷键_%d="0"' % n,
              '可执行文件路径_%d="%s"' % (n, target), '自定义图标路径_%d=""' % n]
if indicators:
    lines += ["[扩展设置]", "运行指示=1"]
open(path, "wb").write(("\r\n".join(lines) + "\r\n").encode("gbk"))
EOF
}
make_dock "$out/dock-empty" 0
make_dock "$out/dock-50" 50
make_dock "$out/dock-30" 30
make_dock "$out/dock-30-running" 30 1
if [ -n "$today_exe" ]; then
    make_dock "$out/today-empty" 0 0 "$today_exe"
    make_dock "$out/today-50" 50 0 "$today_exe"
    make_dock "$out/today-30" 30 0 "$today_exe"
fi
printf '%s\r\n' "${targets[@]}" >"$out/targets.txt"
xdotool mousemove 5 5

# CPU time in clock ticks (user + system, all threads) of a Linux process.
ticks_of() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The wineserver of this prefix (its working folder is named after the
# prefix's device and inode): it works for the dock too.
server_pid() {
    local name p
    name="server-$(stat -c %D "$WINEPREFIX")-$(printf %x "$(stat -c %i "$WINEPREFIX")")"
    for p in $(pgrep -f wineserver); do
        [ "$(basename "$(readlink "/proc/$p/cwd" 2>/dev/null)")" = "$name" ] && {
            echo "$p"
            return
        }
    done
}
hz="$(getconf CLK_TCK)"

: >"$out/probe.jsonl"
rm -f "$out/sweep.jsonl"
sweep() {
    make_dock "$out/dock-10" 10
    local today=""
    if [ -n "$today_exe" ]; then
        today="$out/today-10"
        make_dock "$today" 10 0 "$today_exe"
    fi
    echo "== hover sweep: ${sweep_seconds} s, $runs runs${today:+, beside the dock of today}${sweep_peers:+, beside plank and cairo-dock}"
    hover_sweep "$out/dock-10" "$runs" "$sweep_seconds" "$sweep_peers" "$today"
}
table() {
    python3 scripts/bench_table.py "$out" "$(nproc)" \
        "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')" \
        "$load_before" "$(cut -d' ' -f1-3 /proc/loadavg)" "$frames" "$rest_seconds"
}
if [ -n "$only_sweep" ]; then
    sweep
    table
    exit 0
fi
probe() {
    local kind="$1" folder="$2" seconds="$3"
    local line
    line="$(wine_run "$win/bench/dock_probe.exe" run "$(winepath -w "$folder/dock.exe" | tr -d '\r')" \
        "$seconds" 2>/dev/null | tr -d '\r' | tail -n 1)"
    echo "{\"kind\": \"$kind\", \"probe\": $line}" >>"$out/probe.jsonl"
}
if [ -z "$only_rest" ]; then
    for i in $(seq 1 "$startup_runs"); do
        probe empty "$out/dock-empty" 0
        probe items50 "$out/dock-50" 0
        if [ -n "$today_exe" ]; then
            probe today_empty "$out/today-empty" 0
            probe today_items50 "$out/today-50" 0
        fi
    done
fi

# Rest cost: the wineserver's own idle cost first, with nothing but a
# sleeping program in the prefix, then the dock with 30 items and the pointer
# away over the same wall time, read from /proc.
wine_run "$win/bench/dock_probe.exe" hold "$((rest_seconds + 6))" >/dev/null 2>&1 &
holder=$!
sleep 3
server="$(server_pid)"
s0="$(ticks_of "$server")"
sleep "$rest_seconds"
s1="$(ticks_of "$server")"
wait "$holder" || true
echo "{\"kind\": \"server_idle\", \"ticks\": $((s1 - s0)), \"seconds\": $rest_seconds, \"hz\": $hz}" \
    >>"$out/probe.jsonl"

# The floor of the rest cost in the same run: a bare window whose 100 ms timer
# reads the pointer and the window rectangle and re-arms itself.
wine_run "$win/bench/dock_probe.exe" rest-floor "$((rest_seconds + 5))" 1 >/dev/null 2>&1 &
floorer=$!
floor_pid=""
for i in $(seq 1 200); do
    for p in $(pgrep -x dock_probe.exe || true); do
        tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q 'rest-floor' && floor_pid="$p"
    done
    [ -n "$floor_pid" ] && break
    sleep 0.05
done
sleep 2
f0="$(ticks_of "$floor_pid")"
w0="$(date +%s.%N)"
sleep "$rest_seconds"
f1="$(ticks_of "$floor_pid")"
w1="$(date +%s.%N)"
wait "$floorer" || true
echo "{\"kind\": \"rest_floor\", \"ticks\": $((f1 - f0)), \"wall_s\": $(awk "BEGIN {print $w1 - $w0}"), \"hz\": $hz, \"found\": $([ -n "$floor_pid" ] && echo true || echo false)}" \
    >>"$out/probe.jsonl"

# A dock at rest, the pointer away: its CPU time and the wineserver's over the
# same wall time, read from /proc.
rest_of() {
    local kind="$1" folder="$2"
    probe "${kind}_probe" "$folder" "$((rest_seconds + 4))" &
    local prober=$! dock_pid="" p i
    for i in $(seq 1 200); do
        # The dock's own process: Wine names it after the program, and its
        # command line is the program's path.
        for p in $(pgrep -x dock.exe || true); do
            tr '\0' ' ' <"/proc/$p/cmdline" 2>/dev/null | grep -q "$(basename "$folder").dock\.exe" &&
                dock_pid="$p"
        done
        [ -n "$dock_pid" ] && break
        sleep 0.05
    done
    sleep 3  # start-up and the probe's two seconds of settling
    local server d0 s0 w0 rss0 d1 s1 w1
    server="$(server_pid)"
    d0="$(ticks_of "$dock_pid")"
    s0="$(ticks_of "$server")"
    w0="$(date +%s.%N)"
    rss0="$(awk '/VmRSS/ {print $2}' "/proc/$dock_pid/status" 2>/dev/null || echo 0)"
    sleep "$rest_seconds"
    d1="$(ticks_of "$dock_pid")"
    s1="$(ticks_of "$server")"
    w1="$(date +%s.%N)"
    wait "$prober" || true
    echo "{\"kind\": \"$kind\", \"dock_ticks\": $((d1 - d0)), \"server_ticks\": $((s1 - s0)), \"wall_s\": $(awk "BEGIN {print $w1 - $w0}"), \"hz\": $hz, \"dock_pid_found\": $([ -n "$dock_pid" ] && echo true || echo false), \"vmrss_kib\": ${rss0:-0}}" \
        >>"$out/probe.jsonl"
}
rest_of rest "$out/dock-30"
[ -z "$today_exe" ] || rest_of rest_today "$out/today-30"
rest_of rest_running "$out/dock-30-running"
# 智能隐藏 (自动隐藏=2) at rest while hidden: another program's window at
# 900, 600 meets the strip of the 30 items at 0, 470, and the dock waits out
# of sight below the screen's bottom edge.
cmake --build "$win" -j "$(nproc)" --target dock_window_program >/dev/null
make_dock "$out/dock-30-hidden" 30
sed -i 's/^左边=300/左边=0/; s/^顶边=300/顶边=470/' "$out/dock-30-hidden/config.ini"
printf '[\xc0\xa9\xd5\xb9\xc9\xe8\xd6\xc3]\r\n\xd7\xd4\xb6\xaf\xd2\xfe\xb2\xd8=2\r\n' \
    >>"$out/dock-30-hidden/config.ini"
mkdir -p "$out/hidden-window"
cp "$win/tests/win/app/dock_window_program.exe" "$out/hidden-window/window.exe"
rm -f "$out/hidden-window/quit.txt"
wine_run "$out/hidden-window/window.exe" >/dev/null 2>&1 &
hider=$!
rest_of rest_hidden "$out/dock-30-hidden"
: >"$out/hidden-window/quit.txt"
wait "$hider" || true
if [ -n "$only_rest" ]; then
    table
    exit 0
fi
# Still pointer on the product dock.exe: Wine's trace of the window channel
# logs every UpdateLayeredWindow. The pointer goes to the middle of item 15
# (the dock is at 300, 300: 144 px of margin, 36 px cells, the row 152 px
# down), rests there after the build-up, then leaves.
still_seconds=10
[ -n "$quick" ] && still_seconds=3
trace="$out/still-trace.log"
(WINEDEBUG=+win wine_run "$win/bench/dock_probe.exe" run \
    "$(winepath -w "$out/dock-30/dock.exe" | tr -d '\r')" "$((still_seconds + 6))" \
    >/dev/null 2>"$trace") &
tracer=$!
sleep 4
presents() { grep -c NtUserUpdateLayeredWindow "$trace" || true; }
xdotool mousemove 966 470
sleep 2
p0="$(presents)"
sleep "$still_seconds"
p1="$(presents)"
xdotool mousemove 5 5
sleep 1
p2="$(presents)"
wait "$tracer" || true
echo "{\"kind\": \"still_dock\", \"presents\": $((p1 - p0)), \"seconds\": $still_seconds, \"build_up_presents\": $p0, \"fade_presents\": $((p2 - p1))}" \
    >>"$out/probe.jsonl"
rm -f "$trace"

for i in $(seq 1 "$runs"); do
    line="$(wine_run "$win/bench/dock_probe.exe" extract "$(winepath -w "$out/targets.txt" | tr -d '\r')" \
        2>/dev/null | tr -d '\r' | tail -n 1)"
    echo "{\"kind\": \"extract\", \"probe\": $line}" >>"$out/probe.jsonl"
done

# A save of config.ini with the 50 items, through the real file and profile calls.
rm -rf "$out/save-50"
mkdir -p "$out/save-50"
line="$(wine_run "$win/bench/dock_probe.exe" save "$(winepath -w "$out/targets.txt" | tr -d '\r')" \
    "$(winepath -w "$out/save-50" | tr -d '\r')" "$save_runs" 2>/dev/null | tr -d '\r' | tail -n 1)"
echo "{\"kind\": \"save\", \"probe\": $line}" >>"$out/probe.jsonl"

sweep
table
