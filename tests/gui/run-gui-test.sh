#!/bin/sh
# Runs one end-to-end test under Wine on an X screen of its own.
#
#   run-gui-test.sh PREFIX ARCH WIDTHxHEIGHT PROGRAM [ARGUMENT...]
#
# The prefix (made on first use) shows its programs in a Wine virtual
# desktop of WIDTHxHEIGHT. The X screen, and the Wine programs of the
# prefix, are stopped whatever happens.
set -eu

if [ $# -lt 4 ]; then
    echo "usage: $0 PREFIX win32|win64 WIDTHxHEIGHT PROGRAM [ARGUMENT...]" >&2
    exit 2
fi
prefix=$1
arch=$2
size=$3
shift 3
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../../scripts" && pwd)

# A win32 prefix needs Wine's 32-bit loader: say so and skip (77).
"$scripts/wine-loader.sh" "$arch" >/dev/null || exit 77

stop_wine() {
    WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    WINEPREFIX=$prefix wineserver -w 2>/dev/null || true
}
trap stop_wine EXIT
trap 'exit 130' INT TERM

"$scripts/wine-desktop.sh" "$prefix" "$arch" "$size"

"$scripts/with-xvfb.sh" "$size" "$scripts/wine-run.sh" "$prefix" "$arch" "$@"
