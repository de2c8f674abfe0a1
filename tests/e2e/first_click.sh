#!/bin/bash
# A click on a window that is not the active one counts at once. Help opens the help window over
# the start window and takes the keyboard; one click on the start window's Start button, with
# no pause and no focus given first, opens the board.
#
# usage: first_click.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"
open_game pondleap
open_help
xdotool windowmove "$help" 0 0
eventually has_focus "$help" || fail "the help window did not take the keyboard"
click "$start" 211 233
eventually shown "Pondleap Game" || fail "one click on Start did not open the board: $(windows_shown)"
echo "the first click on the inactive start window opened the board"
