#!/bin/sh
# Installs what is missing, configures and builds the native, win32 and
# win64 builds, and runs every test of each (the Windows ones under Wine).
# Exits non-zero when anything fails.
set -eu
cd "$(dirname "$0")/.."

scripts/install-deps.sh

jobs=$(nproc 2>/dev/null || echo 2)
status=0
summary=""

for preset in native win32 win64; do
    echo "== $preset: configure and build"
    cmake --preset "$preset" >"build-$preset.log" 2>&1 || { cat "build-$preset.log"; exit 1; }
    cmake --build --preset "$preset" -j "$jobs" || exit 1
    rm -f "build-$preset.log"
done

run_tests() {
    preset=$1
    echo "== $preset: tests"
    if ctest --preset "$preset" -j "$jobs"; then
        summary="$summary\n$preset: passed"
    else
        summary="$summary\n$preset: FAILED"
        status=1
    fi
}

stop_wine() {
    for prefix in build/"$1"/wineprefix-*; do
        [ -d "$prefix" ] && WINEPREFIX=$(pwd)/$prefix wineserver -k 2>/dev/null || true
    done
}

run_tests native
run_tests win64
stop_wine win64
if scripts/wine-loader.sh win32 >/dev/null 2>&1; then
    run_tests win32
    stop_wine win32
else
    # The win32 build is still compiled above; only running it is impossible.
    reason=$(scripts/wine-loader.sh win32 2>&1 || true)
    echo "== win32: tests built but not run: $reason"
    summary="$summary\nwin32: built, not run ($reason)"
fi

printf "== summary%b\n" "$summary"
exit $status
