#!/bin/bash
# A game of Starbreach, from the launcher to the lose window. One click on the left arrow turns
# the launcher to the alien page and the picture opens the field. The arrow keys move the
# cannon and Space sends the missile up above it. Then the cannon stands where it started,
# under the first bomb column: that bomb strikes it on ticks 139, 279 and 419, and tick 420
# (about 6.6 seconds in) hides the field and opens "Space lose". Enter there clicks Exit, which
# has the keyboard focus, and the program ends with status 0.
#
# usage: starbreach.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game starbreach
field=$(shown "Starbreach Game")
focus "$field" || fail "the field did not get the keyboard"

# The cannon's row: it starts at client pixels 256 to 327, rows 552 to 589, on the black field.
cannon_row() { fingerprint "$field" 140x40+200+550; }
lives() { fingerprint "$field" 65x57+680+96; }
# The missile is a lime bar in the cannon's firing column (pixel 295 from the start position);
# prints the row of its tip while it is in the air above the cannon.
missile_tip() {
    import -window "$field" -crop 1x548+295+0 txt:- | awk -F'[ :,]+' 'NR > 1 && $NF == "lime" { print $2; exit }'
}
missile_seen() { [ -n "$(missile_tip)" ]; }
# A missile that struck an alien rests under the cannon; Space sends it up again.
missile_above() {
    local tip
    tip=$(missile_tip)
    [ -n "$tip" ] || xdotool key space
    [ -n "$tip" ] && [ "$tip" -lt "$1" ]
}

home=$(cannon_row)
xdotool key Left
eventually differs cannon_row "$home" || fail "the left arrow did not move the cannon"
xdotool key Right
eventually equals cannon_row "$home" || fail "the right arrow did not bring the cannon back"

start_lives=$(lives)
xdotool key space
eventually missile_seen || fail "Space did not fire the missile"
first_tip=$(missile_tip)
eventually missile_above "${first_tip:-548}" || fail "the missile did not rise from row ${first_tip:-548}"

eventually_within 20 differs lives "$start_lives" || fail "no bomb struck the cannon"
eventually_within 30 shown "Space lose" || fail "the bombs did not end the game"
eventually hidden "Starbreach Game" || fail "the field stayed on the screen after the last life"
focus "$(shown 'Space lose')" || fail "the lose window did not get the keyboard"
xdotool key Return
expect_exit_status 0
echo "the cannon moved and fired, the bombs took three lives, and Exit ended the program"
