#!/bin/sh
# Runs a command with its own virtual X screen.
#
#   with-xvfb.sh WIDTHxHEIGHT COMMAND [ARGUMENT...]
#
# Starts Xvfb on the first free display number from :90 (no TCP), exports
# DISPLAY for the command, and stops Xvfb when the command ends, however it
# ends. Exits with the command's status.
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 WIDTHxHEIGHT COMMAND [ARGUMENT...]" >&2
    exit 2
fi
size=$1
shift

lock_dir=$(mktemp -d)
xvfb_pid=""
stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$lock_dir"
}
trap stop_xvfb EXIT
trap 'exit 130' INT TERM

number=90
while [ "$number" -lt 140 ]; do
    if [ ! -e "/tmp/.X$number-lock" ] && [ ! -e "/tmp/.X11-unix/X$number" ]; then
        Xvfb ":$number" -screen 0 "${size}x24" -nolisten tcp >"$lock_dir/xvfb.log" 2>&1 &
        xvfb_pid=$!
        # Ready once its socket is there; gone if another run took the number.
        tries=0
        while [ "$tries" -lt 100 ] && kill -0 "$xvfb_pid" 2>/dev/null && [ ! -e "/tmp/.X11-unix/X$number" ]; do
            sleep 0.05
            tries=$((tries + 1))
        done
        if kill -0 "$xvfb_pid" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
            break
        fi
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
    number=$((number + 1))
done
if [ -z "$xvfb_pid" ]; then
    echo "$0: no free X display from :90 to :139" >&2
    cat "$lock_dir/xvfb.log" >&2 || true
    exit 1
fi

DISPLAY=":$number"
export DISPLAY
status=0
"$@" || status=$?
exit "$status"
