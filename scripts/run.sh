#!/bin/sh
# Installs what is missing, builds both Windows builds, then starts the
# configurator of the 64-bit build under Wine, in a prefix of its own under
# the build folder. With an X display it opens in a Wine virtual desktop
# there; without one it runs on a virtual X screen, a picture of the window
# is saved, and the program is closed.
set -eu
cd "$(dirname "$0")/.."
top=$(pwd)

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)
for preset in win32 win64; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
done
echo "The configurator:"
for preset in win32 win64; do
    echo "  $top/build/$preset/src/app/adsl-autostart.exe"
done

program=$top/build/win64/src/app/adsl-autostart.exe
prefix=$top/build/win64/wineprefix-run
if [ -n "${DISPLAY:-}" ]; then
    echo "Starting it under Wine; close its window to end."
    exec scripts/wine-run.sh "$prefix" win64 explorer /desktop=Tamsel,1024x768 "$program"
fi
echo "No X display: showing it on a virtual screen."
scripts/with-xvfb.sh 1024x768 scripts/screenshot.sh "$prefix" win64 "$program" \
    "$top/build/win64/tests/gui/gui_driver.exe" "$top/build/win64/configurator.png"
