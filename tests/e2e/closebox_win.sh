#!/bin/bash
# The win window's close button while the help window is still open. Help, then Start: the
# help window stays beside the board. Twenty-five presses of the up arrow, sent in one burst,
# carry the frog from its start over the traffic onto the trophy between two ticks, and
# "Pondleap win" opens while the board hides and ticks on. Once the message has grown, closing
# the win window leaves the program running (the help window still shows), and the hidden board
# shows a new win window on its next tick, its message back to a small size. Its Exit button
# ends the program with status 0.
#
# usage: closebox_win.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop

# The message label of "Pondleap win": client pixels 48,24, 553 by 393, purple behind the text.
win_window() { shown "Pondleap win"; }
message_ink() { ink "$(win_window)" 553x393+48+24 "rgb(192,0,192)"; }
message_grown() { [ "$(message_ink)" -ge "$1" ]; }
# A new window is black until its first paint, which would count as ink.
message_small() { [ "$(message_ink)" -lt "$1" ]; }
# The keyboard stays with a window for half a second without a single change of focus.
focus_rests_on() { has_focus "$1" && [ "$(timeout 0.5 xev -id "$1" -event focus | grep -c Focus)" = 0 ]; }
won_or_hit() { [ -n "$(shown 'Pondleap win')" ] || reset_shown "$board"; }

# Plays one run up to the trophy; fails when a vehicle catches the frog on the way.
play_to_the_trophy() {
    start_program "$1"
    open_game pondleap
    local start help
    open_help
    # The help window opens over Start; it goes to the screen's corner, clear of every window.
    xdotool windowmove "$help" 0 0
    start_board
    [ -n "$(shown 'Pondleap Help')" ] || fail "Start closed the help window"
    press_times 25 Up
    eventually won_or_hit || fail "the frog neither won nor lost a life"
    [ -n "$(shown 'Pondleap win')" ]
}

for try in 1 2 3 4 5; do
    play_to_the_trophy "$1" && break
    echo "try $try: a vehicle caught the frog on its way up; playing again"
    kill "$program" && wait "$program"
done
first=$(shown "Pondleap win")
[ -n "$first" ] || fail "the frog never reached the trophy"

eventually_within 15 message_grown 140 || fail "the win window's message did not grow"
grown=$(message_ink)
wmctrl -c "Pondleap win"
eventually differs win_window "$first" || fail "the closed win window did not go"
eventually shown "Pondleap win" || fail "the hidden board did not show the win window again$(why)"
eventually message_small $((grown / 2)) ||
    fail "the win window came back with its message grown: $(message_ink) against $grown thousandths$(why)"
still_running || fail "the program ended with the win window$(why)"
[ -n "$(shown 'Pondleap Help')" ] || fail "the help window left the screen"

again=$(win_window)
eventually focus_rests_on "$again" ||
    fail "the keyboard does not stay with the win window: it goes back and forth, now on $(xdotool getwindowfocus getwindowname)$(why)"
click_in "$again" 520 448
eventually not still_running || fail "Exit did not end the program: $(windows_shown), focus on $(xdotool getwindowfocus getwindowname)"
expect_exit_status 0
echo "the win window closed and came back afresh, and its Exit ended the program"
