# Helpers for the stories that play the real program on a virtual X screen with a window
# manager, sourced by each story. `start_desktop` skips the story (status 77) where the X tools
# are not installed.
set -u

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# Waits up to ten seconds for a command to succeed.
eventually() {
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# Xvfb picks a free display number itself and writes it down once it accepts connections. The
# screen is 1280 by 1024 pixels unless a size is given, such as 800x600. An X server resets itself
# when its last client leaves, and on a busy machine a client that comes during the reset is
# turned away ("Failed to open the display"): the screen here never resets. Should a desktop
# still not come up, it is started again, up to three times, and each failed try is reported with
# what the screen and the window manager said.
start_desktop() {
    local size=${1:-1280x1024} try
    for tool in Xvfb openbox xdotool wmctrl xwininfo xdpyinfo import; do
        command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
    done
    # The virtual screen comes with a silent sound device, as a desktop comes with a sound card:
    # without any the program says so in a line, which the stories that want it quiet would take
    # for a fault. The sound stories choose their own.
    export SDL_AUDIODRIVER=dummy
    for try in 1 2 3; do
        start_screen_and_manager "$size" && return 0
        echo "the virtual desktop did not start (try $try of 3): $desktop_trouble" >&2
        stop_screen_and_manager
    done
    fail "the virtual desktop did not start: $desktop_trouble"
}

# One try at a screen with a window manager on it; on failure `desktop_trouble` says why.
start_screen_and_manager() {
    rm -f "$work/display"
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    screen_pid=$!
    pids+=($screen_pid)
    if ! eventually test -s "$work/display"; then
        desktop_trouble="the virtual screen gave no display number$(screen_state)"
        return 1
    fi
    export DISPLAY=":$(head -1 "$work/display")"
    if ! eventually xdpyinfo; then
        desktop_trouble="the virtual screen $DISPLAY does not answer$(screen_state)"
        return 1
    fi
    openbox >"$work/openbox.log" 2>&1 &
    manager_pid=$!
    pids+=($manager_pid)
    if ! eventually wmctrl -m; then
        desktop_trouble="the window manager did not start on $DISPLAY: $(cat "$work/openbox.log")$(screen_state)"
        return 1
    fi
}

# For a failure message: whether the virtual screen still runs, and what it printed.
screen_state() {
    kill -0 "$screen_pid" 2>/dev/null && printf '; the screen runs' || printf '; the screen has ended'
    [ -s "$work/xvfb.log" ] && printf '; it said: %s' "$(tr '\n' ' ' <"$work/xvfb.log")"
}

stop_screen_and_manager() {
    local pid
    for pid in ${manager_pid:-} $screen_pid; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    manager_pid=""
}

start_program() {
    "$@" >"$work/tolvane.log" 2>&1 &
    program=$!
    pids+=($program)
}

# The X window of a shown window of the program, by its caption.
shown() { xdotool search --onlyvisible --name "^$1\$"; }

# A left click at client pixel X Y of a window.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }

# The colour name or srgb() value of one client pixel.
pixel() { import -window "$1" -crop "1x1+$2+$3" txt:- | tail -1 | awk '{print $NF}'; }

# Whether the road board BOARD shows its Reset button (pixels 304,136 to 416,180), drawn above
# everything once a life is lost: two pixels of its face, away from the dotted rectangle it has
# while it holds the keyboard.
reset_shown() { [ "$(pixel "$1" 307 139)" = grey94 ] && [ "$(pixel "$1" 412 177)" = grey94 ]; }

# A fingerprint of a client area's pixels.
fingerprint() { import -window "$1" -crop "$2" txt:- | md5sum; }

program_ended() { ! kill -0 "$program" 2>/dev/null; }

expect_exit_status() {
    eventually program_ended || fail "the program did not end"
    wait "$program"
    local status=$?
    [ "$status" -eq "$1" ] || fail "the program ended with status $status: $(cat "$work/tolvane.log")"
}
