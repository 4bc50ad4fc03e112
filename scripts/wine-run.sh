#!/bin/sh
# Runs a Windows program under Wine in a prefix of its own.
#
#   wine-run.sh PREFIX ARCH PROGRAM [ARGUMENT...]
#
# PREFIX is a folder (made on first use, under the build folder), ARCH is
# win32 or win64. The program runs with code page 936 and without Wine's own
# messages; the user's own prefix is never touched. Concurrent first uses
# wait for one another while the prefix is made.
set -eu

if [ $# -lt 3 ]; then
    echo "usage: $0 PREFIX win32|win64 PROGRAM [ARGUMENT...]" >&2
    exit 2
fi
prefix=$1
arch=$2
case "$prefix" in
/*) ;;
*) prefix=$(pwd)/$prefix ;;
esac
shift 2

case "$arch" in
win32 | win64) ;;
*)
    echo "$0: unknown prefix architecture '$arch'" >&2
    exit 2
    ;;
esac

WINEPREFIX=$prefix
WINEARCH=$arch
WINEDEBUG=-all
LC_ALL=zh_CN.UTF-8
export WINEPREFIX WINEARCH WINEDEBUG LC_ALL

here=$(dirname "$0")
loader=$("$here/wine-loader.sh" "$arch") || exit $?
case "$loader" in
*/wine64) export WINELOADER="$loader" ;;
esac

mkdir -p "$(dirname "$prefix")"
(
    flock 9
    if [ ! -f "$prefix/.adsl-ready" ]; then
        # Refuse the Mono and Gecko installers: a dialog would hang the run.
        WINEDLLOVERRIDES="mscoree,mshtml=" "$loader" wineboot -i >/dev/null 2>&1
        wineserver -w
        touch "$prefix/.adsl-ready"
    fi
) 9>"$prefix.lock"

exec "$loader" "$@"
