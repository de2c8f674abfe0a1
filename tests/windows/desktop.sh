#!/bin/bash
# The box set for Windows on a virtual X screen with a window manager, under Wine. First, the
# launcher that tolvane.exe draws is the Linux tolvane's, pixel for pixel: the same pictures, and
# the same text from the same font (built in on Windows). Then, recording the session: a click on
# the launcher's picture opens Pondleap's start window, Start opens the board, the board ticks (its
# traffic moves), Ctrl+M keeps its choice in %APPDATA%\tolvane\settings, and the board's close box
# ends the program with status 0, with nothing said on standard error (the sound went to SDL's
# dummy driver without a word). The Linux tolvane-script replays the journal into the state it
# recorded. Run by tests/windows/run, in the Wine prefix it has prepared.
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

journal="$work/windows.journal"
start_program /usr/lib/wine/wine64 "$1" --record "$journal"
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

head -1 "$journal" | grep -q '^# tolvane .* journal$' || fail "the journal's first line: $(head -1 "$journal")"
recorded=$(sed -n 's/^# state //p' "$journal")
[ -n "$recorded" ] || fail "the journal has no state line: $(tail -c 300 "$journal")"
replayed=$( (cat "$journal"; echo dump) | "$(dirname "$2")/tolvane-script" -) || fail "the journal did not replay: $replayed"
[ "$replayed" = "$recorded" ] || fail "the Linux runner's replay of the journal differs from the record:
recorded: $recorded
replayed: $replayed"
echo "the launcher opened Pondleap, its board ticked, Ctrl+M was kept, its close box ended the program, and its journal replays on Linux"
