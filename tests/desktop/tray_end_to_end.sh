#!/usr/bin/env bash
# The program on a real X display with a real tray host, driven as a user would: double-click the docked
# tray icon, tick " Analog Inputs", close the control window, show it again and find the same window
# reopened; then end the session with SIGTERM and find the window state in the registry store.
# Usage: tray_end_to_end.sh <folder of kova2mix>. Exit 77 (skipped) when the desktop tools are missing.
# Every wait polls with a generous limit, so that a slow, loaded machine passes.
set -u
bin=$1
skip() { echo "SKIPPED: $*"; exit 77; }
fail() { echo "FAILED: $*"; [ -f "$work/program.log" ] && { echo "--- program output"; cat "$work/program.log"; }; exit 1; }
for tool in Xvfb trayer xdotool; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (Debian packages xvfb, trayer, xdotool)"
done
[ -x "$bin/kova2mix" ] || { echo "FAILED: no program $bin/kova2mix"; exit 1; }

. "$(dirname "$0")/program_on_display.sh"

# The program's own popup menu: a window of the program below the tray's band.
menu_open() {
    local window
    for window in $(xdotool search --onlyvisible --classname '^kova2mix$' 2>/dev/null); do
        [ "$(xdotool getwindowname "$window")" = kova2mix ] || continue
        eval "$(xdotool getwindowgeometry --shell "$window")"
        [ "$Y" -ge 24 ] && return 0
    done
    return 1
}

start_display
export DBUS_SESSION_BUS_ADDRESS=disabled:

trayer --edge top --align right --width 10 --height 24 >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for 60 "the tray host's panel did not appear" xdotool search --name '^panel$'

start_program "$bin"

# The docked icon is the program's window that is wider than the 1 x 1 leader window.
docked_icon() { program_window '[ "$WIDTH" -gt 1 ] && [ "$Y" -lt 24 ]'; }
wait_for 120 "the tray icon never docked" docked_icon

show_control_window() {
    double_click_to_show "$window_x" "$window_y" 'Kova 2'
    control=$shown_window
}
click_in_control_window() {
    eval "$(xdotool getwindowgeometry --shell "$control")"
    xdotool mousemove --sync $((X + $1)) $((Y + $2)) click "$3"
}

show_control_window
click_in_control_window 40 12 1 # on the caption of " Analog Inputs" at (8, 4) in the top panel
wait_for 60 "ticking Analog Inputs did not open its window" visible 'Analog Input'

# Closed through the window's own menu (no window manager here to send the close); a key that reached
# the menu before it took the keyboard is pressed again.
close_control_window() {
    local attempt
    for attempt in 1 2 3 4 5 6; do
        menu_open || click_in_control_window 140 40 3
        wait_for 30 "the control window's menu did not open" menu_open
        xdotool key s # &Schließen
        local end=$((SECONDS + 10))
        while [ "$SECONDS" -lt "$end" ]; do
            hidden 'Kova 2' && return 0
            sleep 0.1
        done
    done
    fail "closing the control window through its menu did not hide it"
}
close_control_window
wait_for 60 "closing the control window did not close Analog Input" hidden 'Analog Input'

show_control_window
wait_for 60 "showing the control window again did not reopen Analog Input" visible 'Analog Input'

end_program

registry=$(find "$KOVA2_HOME" -name 'registry*.txt' | head -1)
[ -n "$registry" ] || fail "no registry store in $KOVA2_HOME"
stored=$(awk '/^\[/ { inside = ($0 == "[software\\holvar\\kova2mix.ini\\MixControlWnd]") }
              inside && /^"chkAnalogInputs"=/ { print }' "$registry")
[ "$stored" = '"chkAnalogInputs"="1"' ] || { cat "$registry"; fail "the store does not keep Analog Inputs open: '$stored'"; }
echo "PASSED: tray double click, Analog Inputs reopened, state kept at the session's end"
