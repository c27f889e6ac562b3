#!/usr/bin/env bash
# A screen reader's user on the analog input window: the program on a real X display (Xvfb, xcb) in
# a D-Bus session of its own, with the accessibility bus of at-spi2-core. After a double click on the
# program's stand-in tray window, screen_reader.py ticks "Analog Inputs" through the bus, reads the
# analog input window and sets card 2's left fader through its value; the card's trace must then hold
# the gain pair that the fader sent with its linked partner. Usage: screen_reader.sh <folder of
# kova2mix>. A missing tool fails the test: it must not pass by not running.
set -u
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAILED: $*"; [ -f "${work:-}/program.log" ] && { echo "--- program output"; cat "$work/program.log"; }; exit 1; }
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (see scripts/test-tools)"
done
# Debian's own Python, which python3-pyatspi serves, whatever python3 the PATH finds first.
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed for $python"
[ -x "$bin/kova2mix" ] || fail "no program $bin/kova2mix"

# A session bus of its own, whatever the caller's says (the other desktop tests switch it off).
. "$here/accessibility_bus.sh"
own_accessibility_bus "$0" "$@"

. "$here/program_on_display.sh"
start_display
"$bin/kova2-card" trace on >/dev/null || fail "kova2-card could not switch the trace on"

start_program "$bin"

# Without a tray host the icon sits in the program's stand-in tray window, a 24-pixel square.
stand_in() { program_window '[ "$WIDTH" -eq 24 ] && [ "$HEIGHT" -eq 24 ]'; }
wait_for 120 "the stand-in tray window never showed" stand_in
double_click_to_show "$window_x" "$window_y" 'Kova 2'

"$python" "$here/screen_reader.py" 120 || fail "the screen reader's run failed"

# 120 x 256 in both words of the pair: the linked partner went with the fader, as after a drag.
"$bin/kova2-card" trace show >"$work/trace.log" 2>&1 || fail "kova2-card could not show the trace"
grep -q "msg=0x4033 p1=0x78007800" "$work/trace.log" ||
    { cat "$work/trace.log"; fail "the trace holds no gain pair 0x78007800 (input message 0x4033)"; }

end_program
echo "PASSED: the analog input window read over the accessibility bus, a fader set through its value"
