#!/bin/bash
# The box set on a real desktop, as a person plays it: the selection window opens on the
# road-crossing page, the arrows turn its pages, a click on the picture opens the game's start
# window and hides the selection window, and closing that last visible window ends the
# program with status 0.
#
# usage: desktop_smoke.sh TOLVANE
source "$(dirname "$0")/desktop.sh"
start_desktop
start_program "$1"

eventually shown "Tolvane box set" || fail "the selection window did not appear"
launcher=$(shown "Tolvane box set")
[ "$(pixel "$launcher" 10 10)" = white ] || fail "the selection window is not white: $(pixel "$launcher" 10 10)"

picture() { fingerprint "$launcher" 230x200+220+135; }
# Each try reads the screen afresh.
page_is() { test "$(picture)" "$1" "$2"; }
road=$(picture)
click "$launcher" 556 241
eventually page_is != "$road" || fail "the right arrow did not turn the page"
click "$launcher" 92 241
eventually page_is = "$road" || fail "the left arrow did not turn back to the road-crossing page"

click "$launcher" 336 236
eventually shown "Pondleap start" || fail "the start window did not open"
eventually test -z "$(shown 'Tolvane box set')" || fail "the selection window stayed on the screen"

wmctrl -c "Pondleap start"
expect_exit_status 0
echo "the box set played on the desktop and ended"
