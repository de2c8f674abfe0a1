#!/bin/bash
# The help window's close button while the start window shows. Closing "Pondleap Help" leaves
# the program running with the start window on the screen, and Help opens a new help window.
# Once that is closed too, the start window is the only window left, and closing it ends the
# program with status 0.
#
# usage: closebox_help.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game pondleap
open_help
first_help=$help

wmctrl -c "Pondleap Help"
eventually hidden "Pondleap Help" || fail "the help window did not close"
still_running || fail "the program ended with the help window$(why)"
[ "$(shown 'Pondleap start')" = "$start" ] || fail "the start window left the screen"

click_in "$start" 215 338
eventually shown "Pondleap Help" || fail "Help did not open the help window again$(why)"
[ "$(shown 'Pondleap Help')" != "$first_help" ] || fail "the closed help window came back instead of a new one"

wmctrl -c "Pondleap Help"
eventually hidden "Pondleap Help" || fail "the second help window did not close"
still_running || fail "the program ended with the second help window$(why)"

wmctrl -c "Pondleap start"
expect_exit_status 0
expect_quiet
echo "the help window closed and opened afresh; closing the start window alone ended the program"
