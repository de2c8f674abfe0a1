#!/bin/bash
# The board's close button while the board stands stopped. Four presses of the up arrow put the
# frog into the tractors' lane; a tractor (or, at the latest, the countdown) takes a life, and
# the board stops with "Splat!!!!!!" and Reset showing. The board is then the only window on
# the screen, so closing it with its title-bar button ends the program with status 0.
#
# usage: closebox_board.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game pondleap
start_board


press_times 4 Up
eventually_within 30 reset_shown "$board" || fail "the frog lost no life in the tractors' lane"
still_running || fail "the program ended at the loss of a life"
[ -n "$(shown 'Pondleap Game')" ] || fail "the board left the screen at the loss of a life"

wmctrl -c "Pondleap Game"
expect_exit_status 0
echo "the stopped board, the last window on the screen, closed and the program ended"
