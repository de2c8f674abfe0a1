#!/bin/bash
# The helicopter window's close button in the middle of a flight. The launcher is gone for the
# rest of the run, so "Skyhaul" is the only window on the screen: closing it while the
# helicopter is in the air ends the program with status 0.
#
# usage: closebox_skyhaul.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
start_program "$1"

open_game skyhaul
game=$(shown "Skyhaul")
waiting=$(start_label)
click_in "$game" 328 192
eventually differs start_label "$waiting" || fail "the click did not start a flight"
still_running || fail "the program ended at the start of the flight"
differs start_label "$waiting" || fail "the flight was over before the window was closed"

wmctrl -c "Skyhaul"
expect_exit_status 0
echo "the helicopter window closed in mid-flight and the program ended"
