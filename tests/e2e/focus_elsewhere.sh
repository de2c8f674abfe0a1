#!/bin/bash
# A window that opens while the player types into another program does not take the keyboard.
# The alien game runs while another X client (xev's window) holds the focus; the bombs end the
# game, the field hides and "Space lose" opens, but the focus stays with the other client, and
# Space and Return typed there (`xdotool type`, `key`) reach it and never the lose window, whose
# Exit either would press. The program keeps running. Back with the box set, a window it shows
# takes the keyboard as before.
#
# usage: focus_elsewhere.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
command -v xev >/dev/null || { echo "skipped: xev is not installed"; exit 77; }
start_program "$1"

open_game starbreach
xev -name "Other program" -geometry 200x100+900+700 >"$work/xev.log" 2>&1 &
pids+=($!)
eventually shown "Other program" || fail "the other client's window did not open"
other=$(shown "Other program")
focus "$other" || fail "the other client did not get the keyboard"

eventually_within 30 shown "Space lose" || fail "the bombs did not end the game: $(windows_shown)"
lose=$(shown "Space lose")
sleep 1
has_focus "$other" || fail "the lose window took the keyboard: it is on $(xdotool getwindowfocus getwindowname)"
xdotool type --delay 20 "a b"
xdotool key Return space
sleep 1
still_running || fail "keys typed into the other client reached the box set$(why)"
[ "$(shown 'Space lose')" = "$lose" ] || fail "the lose window left the screen: $(windows_shown)"
grep -q "keysym 0x20, space" "$work/xev.log" || fail "the other client did not get the keys: $(tail -5 "$work/xev.log")"

# With the keyboard back, the lose window's Exit takes Space as before.
focus "$lose" || fail "the lose window did not get the keyboard"
xdotool key space
expect_exit_status 0
expect_quiet
echo "the lose window opened without the keyboard, and keys typed elsewhere stayed there"
