#!/bin/bash
# Recording where the program meets pipes, signals and files: a FIFO that nobody reads is refused
# at once; a program that cannot start leaves an old file as it was; a pipe whose reader leaves
# stops the recording with one line and the game goes on; a reader that stops reading never holds
# the game up; and SIGHUP (the terminal closed) ends the program as SIGTERM does, its journal
# finished with the state that its replay reaches.
#
# usage: record_edges.sh TOLVANE TOLVANE_SCRIPT
source "$(dirname "$0")/../e2e/play.sh"
tolvane=$1
script_runner=$2

# No display: the old journal stays as it was.
echo old >"$work/old"
DISPLAY=:99 "$tolvane" --record "$work/old" 2>/dev/null
[ "$(cat "$work/old")" = old ] || fail "a program that could not start changed the old file: $(cat "$work/old")"

start_desktop

# A journal that cannot be written: one line and status 2, before any window.
while IFS='|' read -r file message; do
    timeout 10 "$tolvane" --record "$file" 2>"$work/errors"
    status=$?
    [[ $status -eq 2 && "$(cat "$work/errors")" == "$message" ]] || fail "--record $file: status $status, $(cat "$work/errors")"
done <<CASES
/no/such/folder/journal|tolvane: cannot record: /no/such/folder/journal: No such file or directory
$work|tolvane: cannot record: $work: Is a directory
/dev/full|tolvane: cannot record: /dev/full: No space left on device
CASES

# A FIFO with no reader: refused with status 2, before any window and without waiting.
mkfifo "$work/nobody"
timeout 10 "$tolvane" --record "$work/nobody" 2>"$work/errors"
status=$?
[ $status -eq 2 ] || fail "a FIFO that nobody reads: status $status"
[ "$(cat "$work/errors")" = "tolvane: cannot record: $work/nobody: no program reads from the pipe" ] ||
    fail "a FIFO that nobody reads: $(cat "$work/errors")"

# A pipe whose reader leaves after 40 bytes, as `tolvane --record /dev/stdout | head -c 40` makes.
mkfifo "$work/short"
head -c 40 "$work/short" >/dev/null &
start_program "$tolvane" --record "$work/short"
eventually shown "Tolvane box set" || fail "the selection window did not appear"
launcher=$(shown "Tolvane box set")
for _ in 1 2 3; do click_in "$launcher" 92 241; sleep 0.4; done
eventually grep -q "Broken pipe" "$work/tolvane.log" || fail "no line about the reader that left: $(cat "$work/tolvane.log")"
still_running || fail "the program ended with its reader$(why)"
[ "$(cat "$work/tolvane.log")" = "tolvane: $work/short: Broken pipe; the rest of the session is not recorded" ] ||
    fail "the line: $(cat "$work/tolvane.log")"
wmctrl -F -c "Tolvane box set"
expect_exit_status 0

# A reader that never reads, on a pipe that holds a page: the game answers its input, and its close
# box ends it at once, the journal's last bytes given up with one line.
mkfifo "$work/stuck"
python3 -c '
import fcntl, os, sys, time
reader = os.open(sys.argv[1], os.O_RDONLY | os.O_NONBLOCK)
fcntl.fcntl(reader, 1031, 4096)  # F_SETPIPE_SZ
open(sys.argv[1] + ".ready", "w").close()
time.sleep(600)' "$work/stuck" &
pids+=($!)
eventually test -e "$work/stuck.ready" || fail "the stuck reader did not start"
start_program "$tolvane" --record "$work/stuck"
eventually shown "Tolvane box set" || fail "the selection window did not appear with a stuck reader$(why)"
launcher=$(shown "Tolvane box set")
picture=$(launcher_picture)
focus "$launcher" || fail "the launcher did not get the keyboard"
for _ in $(seq 40); do xdotool mousemove --window "$launcher" 92 241 click 1; sleep 0.05; done
sleep 1.2
for _ in $(seq 40); do xdotool mousemove --window "$launcher" 92 241 click 1; sleep 0.05; done
eventually differs launcher_picture "$picture" || fail "the launcher stopped answering"
wmctrl -F -c "Tolvane box set"
eventually_within 5 not still_running || fail "the close box did not end the program with a stuck reader"
expect_exit_status 0
grep -q "did not take its last" "$work/tolvane.log" || fail "no line about the journal's last bytes: $(cat "$work/tolvane.log")"

# SIGHUP while a game is recorded.
journal=$work/hangup
start_program "$tolvane" --record "$journal"
open_game pondleap
start_board
xdotool key Up Up Left
sleep 0.5
kill -HUP "$program"
expect_exit_status 0
recorded=$(sed -n 's/^# state //p' "$journal")
[ -n "$recorded" ] || fail "the journal has no state line after SIGHUP: $(tail -c 300 "$journal")"
replayed=$( (cat "$journal"; echo dump) | "$script_runner" -) || fail "the journal did not replay: $replayed"
[ "$replayed" = "$recorded" ] || fail "the replay differs from the record after SIGHUP"
echo "a FIFO nobody reads was refused, an old file kept, a reader that left or stopped reading never" \
    "held the game, and SIGHUP finished the journal"
