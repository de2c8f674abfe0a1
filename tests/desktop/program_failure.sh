#!/bin/bash
# A failure of the program's own code on the real desktop, let out of a handler (a window whose
# first tick fails): the program ends with one line saying what failed, and status 1.
#
# usage: program_failure.sh FAILING_PROGRAM
source "$(dirname "$0")/desktop.sh"
start_desktop
start_program "$1"
expect_exit_status 1
said=$(cat "$work/tolvane.log")
[ "$said" = "tolvane: a failure planted by the test" ] || fail "the program said: $said"
echo "the failure ended the program with status 1 and one line"
