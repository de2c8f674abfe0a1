#!/bin/bash
# The box set for Windows on a virtual X screen with a window manager, under Wine: the launcher
# shows, a click on its picture opens Pondleap's start window, Start opens the board, the board
# ticks (its traffic moves), Ctrl+M keeps its choice in %APPDATA%\tolvane\settings, and the
# board's close box ends the program with status 0, with nothing said on standard error: the
# sound went to SDL's dummy driver without a word. Run by tests/windows/run, in the Wine prefix
# it has prepared.
# usage: desktop.sh TOLVANE_EXE
source "$(dirname "$0")/../e2e/play.sh"
start_desktop
settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/tolvane/settings"
rm -f "$settings"
start_program /usr/lib/wine/wine64 "$1"

open_game pondleap
start_board
traffic() { fingerprint "$board" 600x300+0+0; }
before=$(traffic)
eventually differs traffic "$before" || fail "the board's traffic did not move"

xdotool key ctrl+m
eventually grep -qx "mute = yes" "$settings" || fail "Ctrl+M was not kept in $settings"

wmctrl -c "Pondleap Game"
expect_exit_status 0
expect_quiet
echo "the launcher opened Pondleap, its board ticked, Ctrl+M was kept, and its close box ended the program"
