#!/bin/bash
# A game of Pondleap, from the launcher to the lose window. The road-crossing picture opens
# "Pondleap start"; Start opens the board, where the arrow keys move the frog. Then the frog
# waits in the start band, out of the traffic's way, while the countdown runs out four times
# (834 ticks, about 13 seconds each), with Reset clicked after each of the first three. The
# fourth time-out takes the last life and opens "Pondleap Lose", where Exit has the keyboard
# focus: Space ends the program with status 0.
#
# usage: pondleap.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game pondleap
start_board
eventually hidden "Pondleap start" || fail "the start window stayed on the screen"

# The frog stands in the purple start band at client pixel (312, 376); nothing else moves there.
frog_area() { fingerprint "$board" 60x60+290+345; }
lives() { fingerprint "$board" 33x41+80+408; }

at_start=$(frog_area)
xdotool key Up
eventually differs frog_area "$at_start" || fail "the up arrow did not move the frog"
xdotool key Down
eventually equals frog_area "$at_start" || fail "the down arrow did not bring the frog back"

for left in 3 2 1; do
    before=$(lives)
    eventually_within 40 reset_shown "$board" || fail "the countdown did not run out with $((left + 1)) lives"
    eventually differs lives "$before" || fail "the time-out did not take a life"
    still_running || fail "the program ended after a time-out"
    click_in "$board" 360 158
    eventually not reset_shown "$board" || fail "Reset did not restart the board ($left lives left)"
done

eventually_within 40 shown "Pondleap Lose" || fail "the fourth time-out did not open the lose window"
eventually hidden "Pondleap Game" || fail "the board stayed on the screen after the last life"
focus "$(shown 'Pondleap Lose')" || fail "the lose window did not get the keyboard"
xdotool key space
expect_exit_status 0
echo "the frog moved, ran out of time four times, and Exit ended the program"
