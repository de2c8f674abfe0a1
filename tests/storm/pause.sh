#!/bin/bash
# The Pause key and minimizing, played on the measuring twin of the program. With the alien game
# running, Pause stops it: the field's title says " (paused)" and no tick comes for five seconds;
# a second Pause resumes it, and the ticks go on at their pace from where they stood, with no
# burst of ticks owed for the pause. Minimizing the field, the only window shown, pauses the box
# set too, and restoring it resumes.
#
# usage: pause.sh TOLVANE_PROBE
source "$(dirname "$0")/../e2e/play.sh"
source "$(dirname "$0")/probe.sh"
start_desktop

# Asks the probe for the pace since its last report and waits until it has written it.
report() {
    local before
    before=$(reports)
    kill -USR1 "$program"
    eventually reported_since "$before"
}
titled() { [ -n "$(xdotool search --name "^$1\$" 2>/dev/null)" ]; }

start_program "$1"
open_game starbreach
game=$(shown "Starbreach Game")
focus "$game" || fail "the field did not get the keyboard"
report || fail "the probe wrote no report before the pause"
began=$(date +%s%N)
xdotool key Pause
eventually titled "Starbreach Game \\(paused\\)" || fail "the title does not say the game is paused"
sleep 5
titled "Starbreach Game \\(paused\\)" || fail "the pause ended by itself"
xdotool key Pause
eventually titled "Starbreach Game" || fail "a second Pause did not resume the game"
sleep 2
report || fail "no tick came after the pause"
wall_ms=$((($(date +%s%N) - began) / 1000000))
ticks=$(pace Starbreach1)
echo "paused: $(field ticks "$ticks") ticks in $(field seconds "$ticks") s of the loop's clock over $wall_ms ms," \
    "most in one period $(field most_in_one_period "$ticks")"
# Sixty-four ticks a second for the time the game ran, with a second to spare; a burst owed for
# five seconds would be 320 more.
most=$((64 * (wall_ms - 5000) / 1000 + 64))
[ "$(field ticks "$ticks")" -gt 32 ] || fail "the game did not run on after the pause: $ticks"
[ "$(field ticks "$ticks")" -le "$most" ] || fail "more than $most ticks: the pause was owed ticks: $ticks"
[ "$(field most_in_one_period "$ticks")" -le 2 ] || fail "the ticks came in a burst: $ticks"
# The pause is time that never passed for the game: the loop's clock stood still, so the tick
# after it came one period after the tick before it, and the interval is five seconds shorter
# on that clock than on the wall.
[ "$(field seconds "$ticks" | tr -d .)" -le $((wall_ms - 4000)) ] ||
    fail "the loop's clock ran on during the pause: $ticks"
gap=$(field largest_gap_ms "$ticks")
[ "${gap%.*}" -lt 100 ] || fail "a tick came late after the pause: $ticks"

xdotool windowminimize "$game"
eventually titled "Starbreach Game \\(paused\\)" || fail "minimizing the only window did not pause the game"
xdotool windowactivate "$game" 2>/dev/null
eventually titled "Starbreach Game" || fail "restoring the window did not resume the game"
eventually shown "Starbreach Game" || fail "the field did not come back"

kill -TERM "$program"
expect_exit_status 0
echo "Pause paused and resumed the game with no tick owed, and so did minimizing and restoring"
