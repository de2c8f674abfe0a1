#!/bin/bash
# The alien lose window's close button. Left alone, the cannon loses its three lives to the
# first bomb column, and tick 420 hides the field and opens "Space lose"; the hidden field
# ticks on behind it. The lose window is then the only window on the screen, so closing it with
# its title-bar button ends the program with status 0.
#
# usage: closebox_space_lose.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game starbreach
eventually_within 30 shown "Space lose" || fail "the bombs did not end the game: $(windows_shown)"
eventually hidden "Starbreach Game" || fail "the field stayed on the screen after the last life"
still_running || fail "the program ended with the lost game"

wmctrl -c "Space lose"
expect_exit_status 0
echo "the lose window, the last one on the screen, closed and the program ended"
