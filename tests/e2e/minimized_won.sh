#!/bin/bash
# The road board won while the player has it minimized. The help window stays open beside the
# board, so minimizing the board alone does not pause the box set. Twenty-five presses of the up
# arrow in one burst carry the frog onto the trophy between two ticks; the same burst minimizes
# the board, so the tick that sees the win hides a minimized board and opens "Pondleap win". The hidden
# board leaves the desktop altogether: no window manager or taskbar lists it, and a request from
# outside to show it again (`xdotool windowmap`, `windowactivate`) does not bring it back.
#
# usage: minimized_won.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop

managed() { wmctrl -l | grep -q "$(printf '0x%08x' "$1")"; }

# Plays one run up to the trophy; fails when a vehicle catches the frog on the way.
play_to_the_trophy_minimized() {
    start_program "$1"
    open_game pondleap
    local start help
    open_help
    xdotool windowmove "$help" 0 0
    start_board
    xdotool key --delay 0 $(printf "Up %.0s" $(seq 25)) windowminimize "$board"
    eventually shown "Pondleap win"
}

for try in 1 2 3 4 5; do
    play_to_the_trophy_minimized "$1" && break
    echo "try $try: a vehicle caught the frog on its way up; playing again"
    kill "$program" && wait "$program"
done
[ -n "$(shown 'Pondleap win')" ] || fail "the frog never reached the trophy"
win=$(shown "Pondleap win")

eventually not managed "$board" || fail "the window manager still lists the hidden board: $(wmctrl -l)"
xdotool windowmap "$board"
xdotool windowactivate "$board" 2>/dev/null
sleep 1
hidden "Pondleap Game" || fail "the hidden board came back on the screen"
not managed "$board" || fail "the hidden board came back into the window manager's list"
still_running || fail "the program ended with the won game$(why)"

click_in "$win" 520 448
expect_exit_status 0
expect_quiet
echo "the board won while minimized stayed hidden, and off the window manager's list"
