#!/bin/bash
# The command lines of the two programs, run as a user runs them, without a display: help and
# version on standard output with status 0, a mistake in one line on standard error with status 2,
# and no window opened for either.
# usage: programs.sh TOLVANE TOLVANE_SCRIPT VERSION
set -u
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs a program without a display; sets status, out and err.
run() {
    local scratch
    scratch=$(mktemp -d)
    env -u DISPLAY -u WAYLAND_DISPLAY "$@" >"$scratch/out" 2>"$scratch/err" </dev/null
    status=$?
    out=$(cat "$scratch/out")
    err=$(cat "$scratch/err")
    rm -rf "$scratch"
}

version=$3
for program in "$1" "$2"; do
    name=$(basename "$program")
    run "$program" --help
    [[ $status -eq 0 && "$out" == "Usage: $name "* && -z "$err" ]] || fail "$name --help: status $status, $out$err"
    grep -q -- "--version" <<<"$out" || fail "$name --help does not list --version"

    run "$program" --version
    [[ $status -eq 0 && "$out" == "$name $version" && -z "$err" ]] || fail "$name --version: status $status, $out$err"

    run "$program" --no-such-option
    [[ $status -eq 2 && -z "$out" && "$err" == "$name: unknown option '--no-such-option'; try --help" ]] \
        || fail "$name --no-such-option: status $status, $out$err"
done

run "$1" surplus
[[ $status -eq 2 && "$err" == "tolvane: unexpected argument 'surplus'; try --help" ]] || fail "tolvane surplus: $err"
run "$2" one two
[[ $status -eq 2 && "$err" == "tolvane-script: unexpected argument 'two'; try --help" ]] || fail "tolvane-script one two: $err"
# A file's name reaches the terminal with its control characters escaped.
run "$2" $'/no/such/\e[2J'
[[ $status -eq 2 && "$err" == '/no/such/\x1b[2J: No such file or directory' ]] || fail "tolvane-script of an odd name: $err"

# A display that cannot be opened is named, with nothing from the libraries underneath.
run env -u XDG_RUNTIME_DIR DISPLAY=:99 "$1"
[[ $status -eq 1 && "$err" == 'tolvane: cannot open display ":99"' ]] || fail "a missing display: status $status, $err"
run env -u XDG_RUNTIME_DIR DISPLAY=$':9\e[2J' "$1"
[[ $status -eq 1 && "$err" == 'tolvane: cannot open display ":9\x1b[2J"' ]] || fail "a display named with an escape: $err"
run env -u XDG_RUNTIME_DIR WAYLAND_DISPLAY=wayland-99 "$1"
[[ $status -eq 1 && "$err" == 'tolvane: cannot open display "wayland-99"' ]] || fail "a missing Wayland display: $err"

# Recording and replaying: a bad value, a script that cannot be had or options that do not go
# together are one line with status 2, said before the display is looked for. (A journal that
# cannot be written is said once the display is open: tests/journal/record_edges.sh.)
scratch=$(mktemp -d)
echo "run 1" >"$scratch/script"
while IFS='|' read -r arguments message; do
    eval "arguments=($arguments)"
    run "$1" "${arguments[@]}"
    [[ $status -eq 2 && -z "$out" && "$err" == "$message" ]] || fail "tolvane ${arguments[*]}: status $status, $out$err"
done <<CASES
--replay /no/such/script|tolvane: /no/such/script: No such file or directory
--replay $scratch|tolvane: $scratch: Is a directory
--replay $scratch/script --speed 0|tolvane: bad --speed '0': expected a number from 0.01 to 1000
--replay $scratch/script --speed abc|tolvane: bad --speed 'abc': expected a number from 0.01 to 1000
--replay $scratch/script --speed 1e9|tolvane: bad --speed '1e9': expected a number from 0.01 to 1000
--speed 2|tolvane: --speed goes with --replay
--scale 0.4|tolvane: bad --scale '0.4': expected a number from 0.5 to 4
--scale 4.01|tolvane: bad --scale '4.01': expected a number from 0.5 to 4
--scale big|tolvane: bad --scale 'big': expected a number from 0.5 to 4
--scale 2x|tolvane: bad --scale '2x': expected a number from 0.5 to 4
--scale nan|tolvane: bad --scale 'nan': expected a number from 0.5 to 4
--replay $scratch/script --scale 0|tolvane: bad --scale '0': expected a number from 0.5 to 4
--replay $'/no/such/\e[2J'|tolvane: /no/such/\x1b[2J: No such file or directory
--replay $scratch/script --speed $'\e]0;title\a'|tolvane: bad --speed '\x1b]0;title\x07': expected a number from 0.01 to 1000
--scale $(printf '9%.0s' {1..100})|tolvane: bad --scale '$(printf '9%.0s' {1..80})...': expected a number from 0.5 to 4
--record $scratch/journal --replay $scratch/script|tolvane: --record and --replay cannot be used together: a replay is recorded already
CASES
rm -rf "$scratch"

[ $failures -eq 0 ] || exit 1
echo "both command lines answer as they should"
