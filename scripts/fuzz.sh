#!/usr/bin/env bash
# Builds the libFuzzer targets (preset `fuzz`, clang) and runs each one for the
# given number of seconds (default 60), or only the fuzzers named after it,
# one after the other, keeping each corpus under build/fuzz.
# Prints one line per fuzzer with its executions; exits non-zero on a crash,
# whose input is left in build/fuzz/crashes/<fuzzer>/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
fuzzers=(fuzz_text fuzz_icon fuzz_config fuzz_startup fuzz_running fuzz_chosen_files
    fuzz_keyboard fuzz_badges)
[ $# -gt 1 ] && fuzzers=("${@:2}")
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc 2>/dev/null || echo 2)" >/dev/null
status=0
for fuzzer in "${fuzzers[@]}"; do
    corpus="build/fuzz/corpus/$fuzzer"
    crashes="build/fuzz/crashes/$fuzzer"
    mkdir -p "$corpus" "$crashes"
    seeds=()
    [ -d "fuzz/seeds/$fuzzer" ] && seeds=("fuzz/seeds/$fuzzer")
    log="build/fuzz/$fuzzer.log"
    if "build/fuzz/fuzz/$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -artifact_prefix="$crashes/" -print_final_stats=1 "$corpus" "${seeds[@]}" >"$log" 2>&1; then
        result="no crash"
    else
        result="CRASH (see $log and $crashes)"
        status=1
    fi
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    printf '%-18s %8s s  %12s executions  %s\n' "$fuzzer" "$seconds" "${runs:-?}" "$result"
done
exit $status
