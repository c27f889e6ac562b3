#!/usr/bin/env bash
# Runs tests of the runner on a real X display (a private Xvfb): focus and window activation, and mouse
# input that the window system hands to the widget under the pointer, as a desktop does.
# Usage: on_x_display.sh [--accessibility-bus] <test runner> <gtest filter>. Exit 77 (skipped) without
# Xvfb. D-Bus is switched off, unless --accessibility-bus asks for a session bus of the run's own with
# the accessibility bus of at-spi2-core on it, which Qt then serves: the tests that listen to what the
# controls announce run there, and a missing D-Bus fails them rather than skipping them.
set -u
bus=disabled:
if [ "$1" = --accessibility-bus ]; then
    . "$(dirname "$0")/accessibility_bus.sh"
    own_accessibility_bus "$0" "$@"
    shift
    bus=$DBUS_SESSION_BUS_ADDRESS
    export KOVA2_ACCESSIBILITY_BUS=1
fi
runner=$1
filter=$2
command -v Xvfb >/dev/null || { echo "SKIPPED: Xvfb is not installed (Debian package xvfb)"; exit 77; }

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait 2>/dev/null; rm -rf "$work"' EXIT
end=$((SECONDS + 60))
until [ -s "$work/display" ]; do
    [ "$SECONDS" -ge "$end" ] && { echo "FAILED: Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    sleep 0.1
done

DISPLAY=":$(cat "$work/display")" QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=$bus WAYLAND_DISPLAY= \
    "$runner" --gtest_filter="$filter"
