#!/bin/sh
# Makes a prefix show its programs in one Wine virtual desktop, named
# Default, of the given size, which draws captions and frames as Windows
# does and keeps activation and focus inside Wine.
#
#   wine-desktop.sh PREFIX ARCH WIDTHxHEIGHT
#
# The prefix's programs are ended afterwards: the desktop is made when the
# next program starts.
set -eu

if [ $# -ne 3 ]; then
    echo "usage: $0 PREFIX win32|win64 WIDTHxHEIGHT" >&2
    exit 2
fi
here=$(dirname "$0")
"$here/wine-run.sh" "$1" "$2" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null
"$here/wine-run.sh" "$1" "$2" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$3" /f >/dev/null
# Ending the server writes the registry out.
WINEPREFIX=$1 wineserver -k 2>/dev/null || true
WINEPREFIX=$1 wineserver -w 2>/dev/null || true
