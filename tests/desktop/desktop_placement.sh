#!/bin/bash
# Where windows open. The selection window is placed by the window manager like any new
# window; the alien field is the one window that places itself, with its client area 120 twips
# (8 pixels) from the screen's left edge and 450 twips (30 pixels) from its top, whatever
# frame the window manager puts around it.
#
# usage: desktop_placement.sh TOLVANE
source "$(dirname "$0")/desktop.sh"
start_desktop
start_program "$1"

eventually shown "Tolvane box set" || fail "the selection window did not appear"
launcher=$(shown "Tolvane box set")
client_corner() { xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF} END {print x "," y}'; }
client_size() { xwininfo -id "$1" | awk '/Width:/ {w=$NF} /Height:/ {h=$NF} END {print w "x" h}'; }
[ "$(client_size "$launcher")" = 758x718 ] || fail "the selection window is $(client_size "$launcher")"

click "$launcher" 92 241
click "$launcher" 92 241
click "$launcher" 336 236
eventually shown "Starbreach Game" || fail "the alien field did not open"
field=$(shown "Starbreach Game")
placed() { test "$(client_corner "$field")" = 8,30; }
eventually placed || fail "the alien field's client area is at $(client_corner "$field")"
[ "$(client_size "$field")" = 784x743 ] || fail "the alien field is $(client_size "$field")"
echo "the windows opened where they belong"
