#!/usr/bin/env bash
# Fails when a file under src includes a header from a folder above its own.
# The folders stack as support < ports < config < render < items < features
# < app: each may use its own folder and those below it, never one above. A
# feature (src/features/<name>/) uses no other feature; the files directly in
# src/features are what every feature shares. The one header from outside src
# is resources/resource_ids.h, included by its name alone.
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(support ports config render items features app)
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
# The feature folder of a path below features/, or nothing for a shared file.
feature_of() {
    case "$1" in
        */*) echo "${1%%/*}" ;;
        *) echo "" ;;
    esac
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
    mine=""
    [ "$folder" = features ] && mine=$(feature_of "${file#src/features/}")
    while IFS=: read -r line included; do
        case "$included" in
            resource_ids.h) continue ;;
            */*) ;;
            *)
                echo "$file:$line: includes \"$included\" by no folder"
                status=1
                continue
                ;;
        esac
        top=${included%%/*}
        theirs=$(rank "$top")
        if [ "$theirs" -lt 0 ] || [ "$theirs" -gt "$own" ]; then
            echo "$file:$line: $folder includes $included, from a folder above it"
            status=1
        elif [ "$top" = features ] && [ "$folder" = features ]; then
            theirs_feature=$(feature_of "${included#features/}")
            if [ -n "$theirs_feature" ] && [ "$theirs_feature" != "$mine" ]; then
                echo "$file:$line: feature $mine includes feature $theirs_feature"
                status=1
            fi
        fi
    done < <(grep -noE '^#include "[^"]+"' "$file" | sed -E 's/:#include "/:/; s/"$//')
done
exit $status
