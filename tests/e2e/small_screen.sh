#!/bin/bash
# Windows on an 800 by 600 screen. A window the window manager places, and the alien field that
# places itself, end up wholly inside the screen's work area whenever they fit; one that does not
# fit keeps its title bar and its top-left corner on the screen. The selection window (758 by 718
# pixels) fits across but not down: it lies inside the screen's width, its title bar at the top.
# "Pondleap start" fits and lies wholly inside. The alien field (784 by 743), which places itself
# 8 pixels from the left and 30 from the top, is too tall as well, and goes to the top.
#
# usage: small_screen.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop 800x600
start_program "$1"

# A window's frame on the screen as "left top right bottom", from its client area and the frame
# extents that the window manager puts around it.
frame() {
    local id=$1 x y w h extents
    read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /Width:/ {w=$NF} /Height:/ {h=$NF} END {print x, y, w, h}')
    extents=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    read -r left right top bottom <<<"$extents"
    echo $((x - left)) $((y - top)) $((x + w + right)) $((y + h + bottom))
}
# Whether a window's frame lies wholly inside the screen, or, for one too tall, at least across.
inside() { read -r l t r b < <(frame "$1"); [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 800 ] && [ "$b" -le 600 ]; }
across_with_title_bar() { read -r l t r b < <(frame "$1"); [ "$l" -ge 0 ] && [ "$t" -ge 0 ] && [ "$r" -le 800 ]; }

eventually shown "Tolvane box set" || fail "the selection window did not appear"
launcher=$(shown "Tolvane box set")
eventually across_with_title_bar "$launcher" || fail "the selection window's frame is at $(frame "$launcher")"

open_game pondleap
start=$(shown "Pondleap start")
eventually inside "$start" || fail "the start window's frame is at $(frame "$start")"
wmctrl -c "Pondleap start"
expect_exit_status 0

start_program "$1"
open_game starbreach
field=$(shown "Starbreach Game")
# Too tall, the field goes up to the top of the work area, its client area still 8 pixels from the
# left, to show as much of itself as the screen can.
at_the_top() { read -r l t r b < <(frame "$field"); [ "$l" -eq 7 ] && [ "$t" -eq 0 ] && [ "$r" -le 800 ]; }
eventually at_the_top || fail "the alien field's frame is at $(frame "$field")"
expect_quiet
echo "on a small screen every window kept its title bar on the screen, and fitted where it could"
