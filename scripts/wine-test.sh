#!/usr/bin/env bash
# Runs one Windows test program under the private Wine prefix; CR LF becomes LF.
# Used by CTest as the launcher of every Wine test.
set -o pipefail
source "$(dirname "$0")/wine-env.sh"
wine_run "$@" 2>&1 | tr -d '\r'
