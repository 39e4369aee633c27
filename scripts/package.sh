#!/usr/bin/env bash
# Builds the release: dist/dock-<version>-win64.zip holding dock.exe, README.txt
# (docs/README.txt with the version filled in) and LICENSE, the texts with
# CR LF line ends for Notepad. The version is the CMake project version, the
# one the version resource of dock.exe carries.
#
#   scripts/package.sh      # prints the path of the zip last
set -euo pipefail
cd "$(dirname "$0")/.."
build="${DOCK_PACKAGE_BUILD_DIR:-build/win64}"

scripts/install-deps.sh --runtime
cmake --preset win64 -B "$build" >/dev/null
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target dock
version="$(sed -n 's/^#define DOCK_VERSION "\(.*\)"$/\1/p' "$build/resources/dock_version.h")"
[ -n "$version" ] || { echo "package: no version in $build/resources/dock_version.h" >&2; exit 1; }

stage="$(mktemp -d)"
trap 'rm -rf "$stage"' EXIT
# Without the debugging sections the static runtime brings along: a third
# of the size.
strip="$(sed -n 's/^CMAKE_STRIP:FILEPATH=//p' "$build/CMakeCache.txt")"
"${strip:-x86_64-w64-mingw32-strip}" -o "$stage/dock.exe" "$build/src/app/dock.exe"
# UTF-8 with a byte order mark: Notepad then reads the Chinese right on any
# system code page.
{
    printf '\xEF\xBB\xBF'
    sed -e "s/@VERSION@/$version/" -e 's/$/\r/' docs/README.txt
} >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE"

mkdir -p dist
zip="$PWD/dist/dock-$version-win64.zip"
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip dock.exe README.txt LICENSE)
echo "$zip"
