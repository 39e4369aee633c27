#!/usr/bin/env bash
# Fails when a file under src includes a header from a folder above its own.
# The folders stack as support < config < render < items < features < dock: each may use
# its own folder and those below it, never one above.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(support config render items features dock)
rank() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}
status=0
for file in $(find src -name '*.h' -o -name '*.cpp' | sort); do
    folder=$(echo "$file" | cut -d/ -f2)
    own=$(rank "$folder")
    if [ "$own" -lt 0 ]; then
        echo "$file: src/$folder is not one of the layers (${layers[*]})"
        status=1
        continue
    fi
    while IFS=: read -r line included; do
        theirs=$(rank "$included")
        if [ "$theirs" -gt "$own" ]; then
            echo "$file:$line: $folder includes $included/, a folder above it"
            status=1
        fi
    done < <(grep -noE '^#include "[a-z_]+/' "$file" | sed -E 's/:#include "/:/; s#/$##')
done
exit $status
