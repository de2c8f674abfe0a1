#!/bin/bash
# A flight of Skyhaul. One click on the right arrow turns the launcher to the helicopter page
# and the picture opens the game, waiting under "Click to start". A click on that label starts
# a flight; holding the mouse button over the open field makes the helicopter climb, letting go
# makes it fall, and the flight ends on the floor or against a bar: the field is put back and
# "Click to start" returns. Closing the window, the only one on the screen, ends the program.
#
# usage: skyhaul.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game skyhaul
game=$(shown "Skyhaul")

# The row of the helicopter's top in pixel column 100, which only the helicopter crosses early
# in a flight (it starts at row 144); bars and pumps come from the right much later.
helicopter_top() {
    import -window "$game" -crop 1x410+100+6 txt:- | awk -F'[ :,]+' 'NR > 1 && $NF != "black" { print $2 + 6; exit }'
}
helicopter_above() { [ "$(helicopter_top)" -lt "$1" ]; }
helicopter_below() { [ "$(helicopter_top)" -gt "$1" ]; }

waiting=$(start_label)
parked=$(helicopter_top)
[ "$parked" = 144 ] || fail "the helicopter waits at row $parked"

click_in "$game" 328 192
eventually differs start_label "$waiting" || fail "the click did not start a flight"

# Row 400, column 300 is open field: below the bars' lanes and above the labels.
xdotool mousemove --window "$game" 300 400 mousedown 1
eventually helicopter_above $((parked - 10)) || fail "the helicopter did not climb while the button was held"
xdotool mouseup 1
released=$(helicopter_top)
eventually helicopter_below $((released + 10)) || fail "the helicopter did not fall after the button was let go"

eventually_within 20 equals start_label "$waiting" || fail "the flight did not end"
eventually equals helicopter_top "$parked" || fail "the helicopter was not put back"
still_running || fail "the program ended with the flight"

wmctrl -c "Skyhaul"
expect_exit_status 0
echo "the helicopter climbed and fell, the flight ended, and closing the window ended the program"
