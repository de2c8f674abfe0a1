#!/bin/bash
# Replaying where the program meets pipes, signals and folders: a folder is refused before any
# window; a script that comes through a pipe line by line (`tail -f`) never holds the windows up,
# and the close box or SIGTERM stops the replay while it waits; SIGTERM stops a replay of lines that
# never stop coming at once; `-` is standard input; answers to a reader that went away end the replay
# with status 2 and one line; and a replay that leaves no window on the screen ends with status 0.
#
# usage: replay_edges.sh TOLVANE TOLVANE_SCRIPT
source "$(dirname "$0")/../e2e/play.sh"
tolvane=$1
start_desktop

# A folder: refused in the program's own words, before any window.
timeout 10 "$tolvane" --replay "$work" 2>"$work/errors"
status=$?
[ $status -eq 2 ] || fail "a folder to replay: status $status"
[ "$(cat "$work/errors")" = "tolvane: $work: Is a directory" ] || fail "a folder to replay: $(cat "$work/errors")"

# The replay of what comes through the pipe, on standard input. (Started here rather than through
# start_program: a command started in the background from a function reads /dev/null.)
replay_from_the_pipe() {
    "$tolvane" --replay - <"$work/lines" >"$work/tolvane.log" 2>&1 &
    program=$!
    pids+=($program)
}

# A script that keeps coming through a pipe, from standard input: the windows paint, the close box
# ends the replay while it waits for the next line.
mkfifo "$work/lines"
exec 5<>"$work/lines"
replay_from_the_pipe
echo "click Mainform imgpondleap" >&5
eventually shown "Pondleap start" || fail "the first line of the pipe was not played$(why)"
wmctrl -F -c "Pondleap start"
eventually_within 5 not still_running || fail "the close box did not end a replay waiting for its script"
expect_exit_status 0
exec 5>&-

# The same waiting for a line, ended by SIGTERM.
exec 5<>"$work/lines"
replay_from_the_pipe
eventually shown "Tolvane box set" || fail "the replay from a pipe showed no window$(why)"
kill -TERM "$program"
eventually_within 5 not still_running || fail "SIGTERM did not end a replay waiting for its script"
expect_exit_status 0
exec 5>&-

# Lines that pour in faster than they run, without end: the windows show and SIGTERM is answered
# at once, although the script never waits for a line.
mkfifo "$work/endless"
yes "print program.clock" >"$work/endless" &
pids+=($!)
start_program "$tolvane" --replay "$work/endless"
eventually shown "Tolvane box set" || fail "the endless replay showed no window$(why)"
kill -TERM "$program"
eventually_within 2 not still_running || fail "SIGTERM did not end a replay of an endless script"
expect_exit_status 0

# Answers to a reader that went away: status 2 and the reason, as tolvane-script says it.
printf 'print program.active\n%.0s' $(seq 20000) >"$work/answers"
"$tolvane" --replay "$work/answers" 2>"$work/errors" | head -1 >/dev/null
status=${PIPESTATUS[0]}
[ "$status" -eq 2 ] || fail "answers to a reader that left: status $status"
[ "$(cat "$work/errors")" = "standard output: Broken pipe" ] || fail "answers to a reader that left: $(cat "$work/errors")"

# Nothing left on the screen while time passes: the replay ends as closing the last window would.
printf 'set Mainform.Visible False\nrun 640000\n' >"$work/hidden"
timeout 20 "$tolvane" --replay "$work/hidden" >/dev/null 2>"$work/errors"
status=$?
[ $status -eq 0 ] || fail "a replay with no window left: status $status $(cat "$work/errors")"
echo "a folder was refused, a piped script never held the windows, SIGTERM and the close box stopped" \
    "waiting replays, a broken pipe ended one with 2, and one with no window left ended"
