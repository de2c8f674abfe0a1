#!/bin/bash
# A game played on the real windows with `tolvane --record`, replayed by `tolvane-script`: the
# replay's `dump` must be the journal's `# state`, byte for byte. The session has keys, a mouse
# button held and let go, the program stopped with SIGSTOP for a few hundred milliseconds and
# woken with SIGCONT (a stall), and ends with a close box. `tolvane --replay` of the journal ends
# in the same state too. The journal cut off inside a line, as
# a crash leaves it, replays up to its last whole line.
#
# usage: record.sh TOLVANE TOLVANE_SCRIPT pondleap|starbreach|skyhaul
source "$(dirname "$0")/../e2e/play.sh"
script_runner=$2
game=$3
start_desktop
journal=$work/journal
"$1" --record "$journal" >"$work/tolvane.log" 2>&1 &
program=$!
pids+=($program)

# The program could not run for 400 ms: every timer then has a tick waiting, late.
stop_for_a_while() {
    kill -STOP "$program"
    sleep 0.4
    kill -CONT "$program"
}

open_game "$game"
case $game in
pondleap)
    start_board
    xdotool key Left Right Up
    stop_for_a_while
    xdotool key Down Left
    # A press and a release on the board, which routes them to no sprite.
    xdotool mousemove --window "$board" 100 300 mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    title="Pondleap Game"
    ;;
starbreach)
    field=$(shown "Starbreach Game")
    focus "$field" || fail "the field did not get the keyboard"
    xdotool key Left Left space
    stop_for_a_while
    xdotool key Right space
    xdotool mousemove --window "$field" 300 300 mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 0.5
    title="Starbreach Game"
    ;;
skyhaul)
    game_window=$(shown "Skyhaul")
    click_in "$game_window" 328 192
    xdotool mousemove --window "$game_window" 300 400 mousedown 1
    sleep 0.3
    stop_for_a_while
    xdotool mouseup 1
    sleep 0.3
    xdotool mousedown 1
    sleep 0.2
    xdotool mouseup 1
    sleep 0.3
    title=Skyhaul
    ;;
esac
# The close box of the game's window, the only one on the screen, ends the program.
wmctrl -F -c "$title"
expect_exit_status 0

grep -q '^stall ' "$journal" || fail "the journal has no stall: $(head -c 2000 "$journal")"
head -1 "$journal" | grep -q '^# tolvane .* journal$' || fail "the journal's first line: $(head -1 "$journal")"
recorded=$(sed -n 's/^# state //p' "$journal")
[ -n "$recorded" ] || fail "the journal has no state line: $(tail -c 300 "$journal")"
replayed=$( (cat "$journal"; echo dump) | "$script_runner" -) || fail "the journal did not replay: $replayed"
[ "$replayed" = "$recorded" ] || fail "the replay differs from the record:
recorded: $recorded
replayed: $replayed
journal: $(grep -v '^# state' "$journal")"

# The same journal played on the real windows, four times as fast, ends in the same state.
(cat "$journal"; echo dump) >"$work/replay"
on_screen=$(timeout 60 "$1" --replay "$work/replay" --speed 4) || fail "tolvane --replay failed: $on_screen"
[ "$on_screen" = "$recorded" ] || fail "tolvane --replay differs from the record:
recorded: $recorded
replayed: $on_screen"

# Cut inside a line: the whole lines replay; the cut line is at worst a wrong line, reported.
size=$(grep -v '^# state' "$journal" | wc -c)
head -c $((size - 3)) "$journal" >"$work/cut"
sed '$d' "$work/cut" >"$work/whole"
"$script_runner" "$work/whole" >/dev/null || fail "the whole lines of a cut journal did not replay"
"$script_runner" "$work/cut" >/dev/null 2>"$work/cut.err"
status=$?
[ $status -eq 0 ] || [ $status -eq 2 ] || fail "a cut journal made the runner exit with $status"
echo "$game: recorded $(grep -vc '^#' "$journal") lines with a stall; the replay ends in the recorded state"
