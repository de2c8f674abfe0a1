#!/bin/bash
# The box set for Windows on a virtual X screen with a window manager, under Wine: the launcher
# shows, a click on its picture opens Pondleap's start window, Start opens the board, the board
# ticks (its traffic moves), Ctrl+M keeps its choice in %APPDATA%\tolvane\settings, and the
# board's close box ends the program with status 0, with nothing said on standard error: the
# sound went to SDL's dummy driver without a word. Run by tests/windows/run, in the Wine prefix
# it has prepared.
# First of all, the launcher that tolvane.exe draws is the Linux tolvane's, pixel for pixel: the
# same pictures, and the same text from the same font (built in on Windows).
# usage: desktop.sh TOLVANE_EXE LINUX_TOLVANE
source "$(dirname "$0")/../e2e/play.sh"
start_desktop
settings="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/tolvane/settings"
rm -f "$settings"

launcher() { fingerprint "$(shown 'Tolvane box set')" 2000x2000+0+0; }
# The launcher's pixels once two looks a moment apart agree.
settled_launcher() {
    local last now
    last=$(launcher)
    for _ in $(seq 50); do
        sleep 0.2
        now=$(launcher)
        [[ "$now" == "$last" ]] && { echo "$now"; return; }
        last=$now
    done
}
start_program "$2"
eventually shown "Tolvane box set" || fail "the Linux launcher did not appear$(why)"
on_linux=$(settled_launcher)
wmctrl -c "Tolvane box set"
expect_exit_status 0

start_program /usr/lib/wine/wine64 "$1"
eventually shown "Tolvane box set" || fail "the launcher did not appear$(why)"
eventually equals launcher "$on_linux" || fail "the launcher is not drawn as on Linux"

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
