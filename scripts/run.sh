#!/bin/sh
# Installs what is missing and builds the Windows executables of both
# builds, then says where they are.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
echo "Windows executables:"
find "$(pwd)/build/win32" "$(pwd)/build/win64" -name '*.exe' -not -path '*/wineprefix-*' -not -path '*/googletest/*' | sort
