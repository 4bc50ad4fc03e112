#!/bin/sh
# Shows the configurator in a Wine virtual desktop on the current X display,
# saves a picture of the screen, then closes the program.
#
#   screenshot.sh PREFIX ARCH PROGRAM DRIVER PICTURE
#
# DRIVER is the end-to-end tests' driver, which waits for the window and
# closes it. Stops the prefix's Wine programs whatever happens.
set -eu

if [ $# -ne 5 ]; then
    echo "usage: $0 PREFIX win32|win64 PROGRAM DRIVER PICTURE" >&2
    exit 2
fi
prefix=$1
arch=$2
program=$3
driver=$4
picture=$5
here=$(cd "$(dirname "$0")" && pwd)
run="$here/wine-run.sh"

"$here/wine-loader.sh" "$arch" >/dev/null || exit 77
stop_wine() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
}
trap stop_wine EXIT
trap 'exit 130' INT TERM

"$here/wine-desktop.sh" "$prefix" "$arch" 1024x768
"$run" "$prefix" "$arch" explorer /desktop=Default,1024x768 "$program" &
shown=$!
"$run" "$prefix" "$arch" "$driver" await -
mkdir -p "$(dirname "$picture")"
import -window root "$picture"
"$run" "$prefix" "$arch" "$driver" close -
wait "$shown" || true
echo "Picture of the window: $picture"
