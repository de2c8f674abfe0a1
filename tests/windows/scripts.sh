#!/bin/bash
# Every .script story of the project, played by tolvane-script.exe under Wine and by the Linux
# tolvane-script: each must end with the same status and print the same bytes on standard output
# and standard error. A few scripts that fail in the ways a script can (a failed expect, a line
# that is wrong, a file that is missing, under names in other languages too) are played as well,
# so that a failure reads the same.
# Run by tests/windows/run, in the Wine prefix it has prepared.
# usage: scripts.sh WINDOWS_TOLVANE_SCRIPT LINUX_TOLVANE_SCRIPT
set -u
windows=$(realpath "$1")
linux=$(realpath "$2")
root=$(cd "$(dirname "$0")/../.." && pwd)
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
failures=0
played=0

cat >"$folder/faults.script" <<'SCRIPT'
print program.active
click Mainform imgpondleap
dump Pondleap2
expect program.active = Mainform
SCRIPT
printf 'print program.active\nfrobnicate Mainform\n' >"$folder/wrong_line.script"

# play NAME ARGUMENT...: both programs with the same arguments, from the project's root, with
# standard input from the file `input`.
input=/dev/null
play() {
    local name=$1
    shift
    (cd "$root" && timeout 120 /usr/lib/wine/wine64 "$windows" "$@" <"$input" >"$folder/windows.out" 2>"$folder/windows.err")
    local windows_status=$?
    (cd "$root" && "$linux" "$@" <"$input" >"$folder/linux.out" 2>"$folder/linux.err")
    local linux_status=$?
    played=$((played + 1))
    if [[ $windows_status -ne $linux_status ]]; then
        echo "FAIL: $name: status $windows_status on Windows, $linux_status on Linux: $(head -c 300 "$folder/windows.err")"
        failures=$((failures + 1))
    elif ! cmp -s "$folder/windows.out" "$folder/linux.out" || ! cmp -s "$folder/windows.err" "$folder/linux.err"; then
        echo "FAIL: $name: the output differs from Linux's:"
        diff "$folder/linux.out" "$folder/windows.out" | head -5
        diff "$folder/linux.err" "$folder/windows.err" | head -5
        failures=$((failures + 1))
    fi
}

# The stories as the tests register them: every FILE.script in a folder of tests/.
while IFS= read -r script; do
    play "$script" "$script"
done < <(cd "$root" && ls tests/*/*.script)

play "a failed expect" "$folder/faults.script"
play "a wrong line" "$folder/wrong_line.script"
play "a missing file" "$folder/none.script"
# File names in any language reach the program whole (its manifest makes its code page UTF-8).
cp "$folder/faults.script" "$folder/Flüge_走る.script"
play "a name in other languages" "$folder/Flüge_走る.script"
play "a missing name in other languages" "$folder/nö_走る.script"
input="$folder/faults.script" play "standard input" -
play "--version" --version
play "--help" --help

# SIGINT (which Wine passes on as Ctrl+C) stops a long run once it has answered its first line:
# the program ends with status 130 on both systems, having printed that answer.
printf 'print program.active\nset Starbreach1.Visible True\nrun 1000000000\n' >"$folder/long.script"
interrupted() {
    coproc runner { exec timeout 60 "$@" "$folder/long.script" 2>&1; }
    local answer=none
    read -t 30 -r answer <&"${runner[0]}"
    kill -INT "$runner_PID" 2>/dev/null
    wait "$runner_PID"
    echo "status $? after '$answer'"
}
on_windows=$(interrupted /usr/lib/wine/wine64 "$windows")
on_linux=$(interrupted "$linux")
played=$((played + 1))
if [[ "$on_windows" != "$on_linux" ]]; then
    echo "FAIL: SIGINT in a long run: $on_windows under Wine, $on_linux on Linux"
    failures=$((failures + 1))
fi

if [[ $failures -gt 0 ]]; then
    echo "$failures of $played scripts played differently under Wine"
    exit 1
fi
echo "all $played scripts played the same under Wine as on Linux"
