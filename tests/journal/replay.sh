#!/bin/bash
# `tolvane --replay` plays a script on the real windows: it ends in the very state that
# `tolvane-script` reaches with the same script, a failed `expect` ends it with status 1 and a
# wrong line with status 2, each with the runner's message, and SIGTERM ends a long replay.
#
# usage: replay.sh TOLVANE TOLVANE_SCRIPT
source "$(dirname "$0")/../e2e/play.sh"
tolvane=$1
script_runner=$2
start_desktop

cat >"$work/game" <<'SCRIPT'
click Mainform imgpondleap
click Pondleap2 Image1
at 100000
key 38
press Pondleap1 1500 3000 1
run 4
release Pondleap1 1500 3000 1
stall 400000
key 37
run 8
print Pondleap1.frog.Top
dump
SCRIPT
expected=$("$script_runner" "$work/game") || fail "the runner could not play the script"
replayed=$(timeout 60 "$tolvane" --replay "$work/game" --speed 2) || fail "the replay failed: $replayed"
[ "$replayed" = "$expected" ] || fail "the replay differs:
expected: $expected
replayed: $replayed"

printf 'click Mainform imgpondleap\nrun 2\nexpect program.active Mainform\n' >"$work/expect"
timeout 60 "$tolvane" --replay "$work/expect" 2>"$work/errors"
status=$?
[ $status -eq 1 ] || fail "a failed expect ended the replay with status $status"
[ "$(cat "$work/errors")" = "line 3: expected Mainform, got Pondleap2" ] || fail "the message: $(cat "$work/errors")"

printf 'run 1\nclick Pondleap2 Image1\n' >"$work/wrong"
timeout 60 "$tolvane" --replay "$work/wrong" 2>"$work/errors"
status=$?
[ $status -eq 2 ] || fail "a wrong line ended the replay with status $status"
[ "$(cat "$work/errors")" = "line 2: window 'Pondleap2' is not visible" ] || fail "the message: $(cat "$work/errors")"

printf 'run 640000\n' >"$work/long"
"$tolvane" --replay "$work/long" >"$work/tolvane.log" 2>&1 &
program=$!
pids+=($program)
eventually shown "Tolvane box set" || fail "the replay showed no window"
kill -TERM "$program"
expect_exit_status 0
echo "the replay reached the runner's state, and reported a failed expect, a wrong line and SIGTERM"
