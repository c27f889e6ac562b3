# Sourced by the desktop tests that drive the program on a private X display; the test defines
# fail() first. Gives a work folder that goes at exit with every process started into pids, polling
# with a limit, the display, and the program's start and end.

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# wait_for <seconds> <what> <command...>: polls the command until it succeeds.
wait_for() {
    local limit=$1 what=$2
    shift 2
    local end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$end" ] && fail "$what (waited ${limit}s)"
        sleep 0.1
    done
}
visible() { xdotool search --onlyvisible --name "^$1\$"; }
hidden() { ! visible "$1"; }

# program_window <test>: finds a visible window of the program for which the shell test holds, on the
# window's X, Y, WIDTH and HEIGHT; window_x and window_y are then its centre.
program_window() {
    local window
    for window in $(xdotool search --onlyvisible --classname '^kova2mix$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$window")"
        if eval "$1"; then
            window_x=$((X + WIDTH / 2)) window_y=$((Y + HEIGHT / 2))
            return 0
        fi
    done
    return 1
}

# A private Xvfb, which DISPLAY then names; the program runs on it with xcb, its state in the work folder.
start_display() {
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
    pids+=($!)
    wait_for 60 "Xvfb did not start" test -s "$work/display"
    export DISPLAY=":$(cat "$work/display")"
    export QT_QPA_PLATFORM=xcb
    export KOVA2_HOME="$work/home"
    unset WAYLAND_DISPLAY
}

# Starts the program of folder $1; program is its process id, its output goes to program.log.
# In the sanitizer build, Qt's X11 plugin now and then leaves one object of its own (152 bytes from
# QtCore, holding two strings) unreachable at exit; its allocation stack never reaches the program's
# code. Memory errors still end the run; the program's own leaks are checked by the other sanitizer
# tests and by the life cycle under memcheck.
start_program() {
    ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$1/kova2mix" >"$work/program.log" 2>&1 &
    program=$!
    pids+=($program)
}

# double_click_to_show <x> <y> <title>: double-clicks there until a window of that title shows, given
# again when a busy machine lost it; shown_window is then the window's id.
double_click_to_show() {
    local attempt end
    for attempt in 1 2 3 4 5 6; do
        xdotool mousemove --sync "$1" "$2" click --repeat 2 --delay 80 1
        end=$((SECONDS + 10))
        while [ "$SECONDS" -lt "$end" ]; do
            shown_window=$(visible "$3" | head -1)
            [ -n "$shown_window" ] && return 0
            sleep 0.1
        done
    done
    fail "a double click at ($1, $2) did not show '$3'"
}

# Ends the program with SIGTERM, as the session's end does; it must end by itself, with status 0.
end_program() {
    kill -TERM "$program"
    local end=$((SECONDS + 60))
    while kill -0 "$program" 2>/dev/null; do
        [ "$SECONDS" -ge "$end" ] && fail "the program did not end on SIGTERM"
        sleep 0.1
    done
    wait "$program"
    local status=$?
    [ "$status" -eq 0 ] || fail "the program ended with status $status"
}
