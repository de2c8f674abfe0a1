#!/bin/bash
# The box set on a real desktop: a virtual X screen with a window manager, the real program,
# and a person's clicks sent by xdotool. The selection window opens on the road-crossing page,
# the arrows turn its pages, a click on the picture opens the game's start window, and closing
# that last visible window ends the program with status 0.
#
# usage: desktop_smoke.sh TOLVANE   (exits 77, "skipped", when the X tools are not installed)
set -u
tolvane=$1
for tool in Xvfb openbox xdotool wmctrl import; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*"; exit 1; }

# Waits up to ten seconds for a command to succeed.
eventually() {
    for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
}

# Xvfb picks a free display number itself and writes it down once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
eventually test -s "$work/display" || fail "the virtual screen did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
eventually wmctrl -m || fail "the window manager did not start: $(cat "$work/openbox.log")"

"$tolvane" >"$work/tolvane.log" 2>&1 &
program=$!
pids+=($program)

shown() { xdotool search --onlyvisible --name "^$1\$"; }
eventually shown "Tolvane box set" || fail "the selection window did not appear"
launcher=$(shown "Tolvane box set")

# The colour of one client pixel, and a fingerprint of the game picture's area.
pixel() { import -window "$launcher" -crop "1x1+$1+$2" txt:- | tail -1 | awk '{print $NF}'; }
picture() { import -window "$launcher" -crop 230x200+220+135 txt:- | md5sum; }
click() { xdotool mousemove --window "$launcher" "$1" "$2" click 1; }

[ "$(pixel 10 10)" = white ] || fail "the selection window is not white: $(pixel 10 10)"
road=$(picture)
click 556 241
eventually test "$(picture)" != "$road" || fail "the right arrow did not turn the page"
click 92 241
eventually test "$(picture)" = "$road" || fail "the left arrow did not turn back to the road-crossing page"

click 336 236
eventually shown "Pondleap start" || fail "the start window did not open"
eventually test -z "$(shown 'Tolvane box set')" || fail "the selection window stayed on the screen"

wmctrl -c "Pondleap start"
ended() { ! kill -0 "$program" 2>/dev/null; }
eventually ended || fail "the program did not end"
wait "$program"
status=$?
[ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work/tolvane.log")"
echo "the box set played on the desktop and ended"
