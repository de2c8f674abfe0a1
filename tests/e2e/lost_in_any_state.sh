#!/bin/bash
# The alien field lost while maximized, or after it was minimized or put on another workspace.
# Left alone, the cannon loses its lives to the bombs and the program hides the field and opens
# "Space lose". Each time the hidden field leaves the desktop altogether: no window manager or
# taskbar lists it, and a request from outside to show it again (`xdotool windowmap`,
# `windowactivate`) does not bring it back, so no key can be typed into it; the program goes on
# with the lose window alone. The field is the only window the box set shows, so minimizing it,
# or putting it on another workspace, pauses the game: it is not lost behind the player's back,
# but only once the player has it back in sight.
#
# usage: lost_in_any_state.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop

managed() { wmctrl -l | grep -q "$(printf '0x%08x' "$1")"; }

put_away() {
    case $1 in
    minimized)
        xdotool windowminimize "$field"
        eventually hidden "Starbreach Game" || fail "the field did not minimize"
        sleep 10
        not shown "Space lose" || fail "the game went on while its only window was minimized"
        xdotool windowactivate "$field"
        ;;
    maximized) wmctrl -i -r "$field" -b add,maximized_vert,maximized_horz ;;
    elsewhere)
        wmctrl -n 2
        wmctrl -i -r "$field" -t 1
        eventually hidden "Starbreach Game" || fail "the field did not go to the other workspace"
        sleep 10
        not shown "Space lose" || fail "the game went on while its only window was on another workspace"
        wmctrl -s 1
        ;;
    esac
}

for state in maximized minimized elsewhere; do
    start_program "$1"
    open_game starbreach
    field=$(shown "Starbreach Game")
    put_away $state
    eventually_within 30 shown "Space lose" || fail "$state: the bombs did not end the game: $(windows_shown)"
    lose=$(shown "Space lose")

    eventually not managed "$field" || fail "$state: the window manager still lists the hidden field: $(wmctrl -l)"
    xdotool windowmap "$field"
    xdotool windowactivate "$field" 2>/dev/null
    sleep 1
    hidden "Starbreach Game" || fail "$state: the hidden field came back on the screen"
    not managed "$field" || fail "$state: the hidden field came back into the window manager's list"

    still_running || fail "$state: the program ended with the lost game$(why)"
    [ "$(shown 'Space lose')" = "$lose" ] || fail "$state: the lose window left the screen: $(windows_shown)"
    wmctrl -c "Space lose"
    expect_exit_status 0
    expect_quiet
done
echo "the field out of sight paused the game, and once lost it stayed hidden and off the window manager's list"
