#!/bin/bash
# Windows destroyed by another X client, without asking, as `xdotool windowclose` does. With the
# road board and the help window on the screen and the start window hidden: the hidden start
# window destroyed stays loaded and gets a new real window; the board destroyed while it ticks is
# closed, and the program goes on with the help window, without a stream of X errors; the help
# window, the last one on the screen, destroyed ends the program with status 0.
#
# usage: destroyed_windows.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game pondleap
open_help
start_board
help=$(shown "Pondleap Help")
[ -n "$help" ] || fail "the help window left the screen when the board opened"

# The start window's real window, shown or not, and whether it is a new one.
start_window() { xdotool search --name "^Pondleap start\$"; }
renewed() {
    local now
    now=$(start_window)
    [ -n "$now" ] && [ "$now" != "$hidden_start" ]
}
hidden_start=$(start_window)
[ -n "$hidden_start" ] || fail "the hidden start window has no real window"
xdotool windowclose "$hidden_start"
eventually renewed || fail "the hidden start window got no new real window"
still_running || fail "the program ended when a hidden window was destroyed$(why)"

errors_before=$(grep -c "X error" "$work/tolvane.log")
xdotool windowclose "$board"
eventually hidden "Pondleap Game" || fail "the destroyed board stayed on the screen"
sleep 2
still_running || fail "the program ended with the board$(why)"
[ "$(shown 'Pondleap Help')" = "$help" ] || fail "the help window left the screen: $(windows_shown)"
errors=$(($(grep -c "X error" "$work/tolvane.log") - errors_before))
[ "$errors" -lt 20 ] || fail "$errors X errors were reported in the two seconds after the board was destroyed"

xdotool windowclose "$help"
expect_exit_status 0
expect_quiet
! grep -q "X Error of failed request" "$work/tolvane.log" || fail "Xlib reported an error on the way out: $(cat "$work/tolvane.log")"
echo "a hidden window got a new real window, the destroyed board closed with $errors X errors" \
    "reported, and the last window destroyed ended the program"
