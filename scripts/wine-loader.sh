#!/bin/sh
# Prints the Wine loader to use for a prefix architecture (win32 or win64).
#
# Debian's `wine` starts the 32-bit loader whenever wine32 is installed; on
# a kernel that cannot run 32-bit programs that fails, and 64-bit programs
# must be started with the 64-bit loader directly. A win32 prefix needs the
# 32-bit loader: without it this exits 77 with the reason.
set -eu
arch=${1:-win64}
wine32=/usr/lib/wine/wine
wine64=/usr/lib/wine/wine64

if [ -x "$wine32" ] && "$wine32" --version >/dev/null 2>&1; then
    command -v wine
    exit 0
fi
if [ "$arch" = win64 ] && [ -x "$wine64" ]; then
    echo "$wine64"
    exit 0
fi
echo "wine-loader: this machine cannot start Wine's 32-bit loader ($wine32); 32-bit programs cannot run here" >&2
exit 77
