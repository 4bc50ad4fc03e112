#!/bin/sh
# Installs the Debian packages that the builds and tests need, and only the
# ones that are missing. Run as root (or through sudo) on Debian 12.
set -eu

packages="cmake g++ googletest libgtest-dev g++-mingw-w64-i686 g++-mingw-w64-x86-64
wine wine64 wine32:i386 xvfb xauth x11-utils xdotool imagemagick fonts-wqy-microhei python3"

missing=""
for p in $packages; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $p"
    fi
done

if [ -z "$missing" ]; then
    exit 0
fi

echo "Installing:$missing"
sudo_cmd=""
if [ "$(id -u)" != 0 ]; then
    sudo_cmd="sudo"
fi

case " $missing " in
*:i386*)
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $sudo_cmd dpkg --add-architecture i386
    fi
    ;;
esac

export DEBIAN_FRONTEND=noninteractive
$sudo_cmd apt-get update -q
# shellcheck disable=SC2086
$sudo_cmd apt-get install -y -q --no-install-recommends $missing
