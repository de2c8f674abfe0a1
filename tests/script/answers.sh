#!/bin/bash
# tolvane-script answers as it goes: a program that drives it line by line through pipes gets each
# answer before it sends the next line, and SIGINT or SIGTERM, in a long run or while the runner
# waits for its script, ends it by the signal with everything it printed written out.
# usage: answers.sh TOLVANE_SCRIPT
set -u
script=$1
folder=$(mktemp -d)
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$folder"' EXIT
failures=0

# check WHAT WANTED GOT
check() {
    if [[ "$2" != "$3" ]]; then
        echo "FAIL: $1: wanted '$2', got '$3'"
        failures=$((failures + 1))
    fi
}

# Line by line through pipes: each answer comes back while the runner's input is still open.
mkfifo "$folder/in"
coproc runner { exec timeout 20 "$script" <"$folder/in"; }
pids+=("$runner_PID")
exec 3>"$folder/in"
answers=""
for line in "print program.active" "click Mainform imgpondleap" "print program.active"; do
    echo "$line" >&3
    [[ $line == print* ]] || continue
    answer=timeout
    read -t 5 -r answer <&"${runner[0]}"
    answers+="$answer "
done
exec 3>&-
wait "$runner_PID"
check "the answers over pipes" "Mainform Pondleap2 " "$answers"

# A long run of a ticking window, its output going to a file: SIGTERM ends it by the signal, and
# the file holds what was printed before the run.
printf 'print program.active\nprint program.clock\nset Starbreach1.Visible True\nrun 1000000000\n' \
    >"$folder/long.script"
"$script" "$folder/long.script" >"$folder/long.out" 2>"$folder/long.errors" &
pid=$!
pids+=("$pid")
sleep 1
kill -TERM "$pid"
wait "$pid"
check "the status after SIGTERM in a run" 143 $?
check "the output after SIGTERM in a run" $'Mainform\n0' "$(cat "$folder/long.out")"
check "the errors after SIGTERM in a run" "" "$(cat "$folder/long.errors")"

# The same run with its output going to a pipe: the answers come as their lines are done, while
# the run goes on.
coproc watched { exec "$script" "$folder/long.script" 2>"$folder/watched.errors"; }
# Bash forgets a coproc's variables as soon as it ends: its descriptor and process are kept here.
watched_pid=$watched_PID
exec 6<&"${watched[0]}"
pids+=("$watched_pid")
first=timeout
second=timeout
read -t 5 -r first <&6
read -t 5 -r second <&6
check "the answers to a pipe before a long run ends" "Mainform 0" "$first $second"
running=ended
kill -0 "$watched_pid" 2>/dev/null && running=running
check "the long run after its answers came" "running " "$running $(cat "$folder/watched.errors")"
kill -TERM "$watched_pid" 2>/dev/null
wait "$watched_pid" 2>/dev/null
exec 6<&-

# Waiting for more of its script on a pipe that stays open: SIGINT ends it at once, what it printed
# written out.
mkfifo "$folder/waiting"
"$script" <"$folder/waiting" >"$folder/waiting.out" &
pid=$!
pids+=("$pid")
exec 4>"$folder/waiting"
echo "print program.clock" >&4
sleep 1
kill -INT "$pid"
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && { echo "FAIL: SIGINT left the waiting runner running"; failures=$((failures + 1)); kill "$pid"; }
wait "$pid"
check "the status after SIGINT while waiting" 130 $?
check "the output after SIGINT while waiting" "0" "$(cat "$folder/waiting.out")"
exec 4>&-

[[ $failures -eq 0 ]] && echo "answers came as the lines did, and a stop signal kept them"
exit $((failures > 0))
