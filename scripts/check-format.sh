#!/usr/bin/env bash
# Fails when a C or C++ file under src, tests, bench or fuzz is not formatted
# as .clang-format says; lists the files and the first of their differences.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files -- 'src/*' 'tests/*' 'bench/*' 'fuzz/*' | grep -E '\.(c|cpp|h)$')
clang-format --dry-run -Werror "${files[@]}"
