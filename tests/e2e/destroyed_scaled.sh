#!/bin/bash
# A hidden window destroyed by another X client at --scale 2 gets a new real window drawn at the
# same scale: the launcher, hidden once a game opens, comes back as large as it was.
#
# usage: destroyed_scaled.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop 2560x1600
start_program "$1" --scale 2

client_size() { xwininfo -id "$1" | awk '/^ +Width:/ { w = $2 } /^ +Height:/ { h = $2 } END { print w "x" h }'; }
launcher_window() { xdotool search --name "^Tolvane box set\$"; }
renewed() {
    local now
    now=$(launcher_window)
    [ -n "$now" ] && [ "$now" != "$launcher" ]
}

eventually shown "Tolvane box set" || fail "the selection window did not appear"
launcher=$(shown "Tolvane box set")
size=$(client_size "$launcher")
# The launcher's picture, at twice its design's pixels.
click_in "$launcher" 672 472
eventually shown "Pondleap start" || fail "the picture did not open the start window"
eventually hidden "Tolvane box set" || fail "the selection window stayed on the screen"

xdotool windowclose "$launcher"
eventually renewed || fail "the hidden launcher got no new real window"
renewed_size=$(client_size "$(launcher_window)")
[ "$renewed_size" = "$size" ] || fail "the new real window is $renewed_size pixels, the first one was $size"
still_running || fail "the program ended$(why)"
echo "the hidden launcher came back at $renewed_size pixels, as large as at the start"
