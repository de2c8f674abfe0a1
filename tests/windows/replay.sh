#!/bin/bash
# tolvane.exe --replay under Wine. A script file is played on the windows with the same answers
# and status as the Linux tolvane gives. A script that keeps coming through a pipe on standard
# input: its first line is played, the windows go on living while the replay waits for the next
# (a thread reads the script ahead on Windows, where Linux polls it), and the close box ends the
# replay with status 0. Run by tests/windows/run, in the Wine prefix it has prepared.
# usage: replay.sh TOLVANE_EXE LINUX_TOLVANE
source "$(dirname "$0")/../e2e/play.sh"
start_desktop

cat >"$work/story.script" <<'SCRIPT'
print program.active
click Mainform imgpondleap
print program.active
click Pondleap2 Image1
run 64
print Pondleap1.lbltime.Caption
print program.active
SCRIPT
answers() {
    timeout 60 "$@" --replay "$work/story.script" --speed 4 2>&1
    echo "status $?"
}
on_linux=$(answers "$2")
on_windows=$(answers /usr/lib/wine/wine64 "$1")
[ "$on_windows" = "$on_linux" ] || fail "the replay of a file answered '$on_windows', on Linux '$on_linux'"

mkfifo "$work/lines"
exec 5<>"$work/lines"
# Started here rather than through start_program: a command started in the background from a
# function reads /dev/null.
/usr/lib/wine/wine64 "$1" --replay - <"$work/lines" >"$work/tolvane.log" 2>&1 &
program=$!
pids+=($program)
echo "click Mainform imgpondleap" >&5
eventually shown "Pondleap start" || fail "the first line of the pipe was not played$(why)"
wmctrl -F -c "Pondleap start"
eventually_within 10 not still_running || fail "the close box did not end a replay waiting for its script"
expect_exit_status 0
exec 5>&-
echo "a replay of a file answered as on Linux ($(echo $on_windows)), and one waiting for its script through a pipe ended at the close box"
