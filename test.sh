#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds everything and runs
# every test: the native unit tests (ASan + UBSan), a short run of the fuzzers,
# then the Wine tests and the end-to-end tests on a private virtual display.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
jobs=$(nproc 2>/dev/null || echo 2)

scripts/install-deps.sh

echo "== format: every C and C++ file as .clang-format says"
scripts/check-format.sh

echo "== native: core and unit tests"
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
ctest --preset native -j "$jobs"

echo "== fuzz: a short run of every fuzzer"
scripts/fuzz.sh "${DOCK_FUZZ_SECONDS:-15}"

echo "== win64: dock.exe and the Wine tests"
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$jobs"

source scripts/wine-env.sh
start_virtual_display
scripts/wine-setup.sh
resident_pid=""
cleanup() {
    [ -n "$resident_pid" ] && kill "$resident_pid" 2>/dev/null
    wineserver -k 2>/dev/null || true
    kill "$DOCK_XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
wine_run build/win64/tests/win/wine_resident.exe >/dev/null 2>&1 &
resident_pid=$!
wait_for_wine_desktop

ctest --preset win64
