#!/bin/bash
# A script that cannot be read and output that cannot be written stop tolvane-script with
# status 2 and one line naming the stream and the reason; none of them passes for success.
# usage: streams.sh TOLVANE_SCRIPT
set -u
script=$1
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
failures=0

# expect_failure MESSAGE STATUS ERRORS: the run exited with STATUS 2 and printed exactly MESSAGE.
expect_failure() {
    if [[ $2 -ne 2 || "$3" != "$1" ]]; then
        echo "FAIL: wanted status 2 and '$1', got status $2 and '$3'"
        failures=$((failures + 1))
    fi
}

errors=$(timeout 20 "$script" "$folder" 2>&1 >/dev/null)
expect_failure "$folder: Is a directory" $? "$errors"
errors=$(timeout 20 "$script" <"$folder" 2>&1 >/dev/null)
expect_failure "standard input: Is a directory" $? "$errors"
errors=$(timeout 20 "$script" - <"$folder" 2>&1 >/dev/null)
expect_failure "standard input: Is a directory" $? "$errors"
errors=$(timeout 20 "$script" 2>&1 >/dev/null <&-)
expect_failure "standard input: Bad file descriptor" $? "$errors"
errors=$(timeout 20 "$script" "$folder/missing.script" 2>&1 >/dev/null)
expect_failure "$folder/missing.script: No such file or directory" $? "$errors"

# A line with no end: the runner gives up at 1 MiB instead of reading on.
errors=$(timeout 20 "$script" /dev/zero 2>&1 >/dev/null)
expect_failure "line 1: longer than 1 MiB (1048576 bytes)" $? "$errors"

echo dump >"$folder/dump.script"
errors=$(timeout 20 "$script" "$folder/dump.script" 2>&1 >/dev/full)
expect_failure "standard output: No space left on device" $? "$errors"
# Output that is no file (here a device) is written out line by line, so the first answer that
# cannot be written stops the run, before a later `expect` that fails.
printf 'print program.clock\nexpect program.clock 1\n' >"$folder/expect.script"
errors=$(timeout 20 "$script" "$folder/expect.script" 2>&1 >/dev/full)
expect_failure 'standard output: No space left on device' $? "$errors"

# More output than a pipe holds, to a reader that has gone: the write fails with EPIPE.
for _ in $(seq 1000); do echo dump; done >"$folder/dumps.script"
timeout 20 "$script" "$folder/dumps.script" 2>"$folder/errors" | true
status=${PIPESTATUS[0]}
expect_failure "standard output: Broken pipe" "$status" "$(cat "$folder/errors")"

[[ $failures -eq 0 ]] && echo "every stream failure was reported"
exit $((failures > 0))
