#!/bin/bash
# Ctrl+M and --mute, on SDL's disk audio driver, which writes the mixed stream to a file. A shot
# is heard; Ctrl+M closes the device at once and writes the choice to the settings file; the next
# run, muted by that file, writes nothing but silence, and so does a run started with --mute.
#
# usage: sound_mute.sh TOLVANE
source "$(dirname "$0")/play.sh"
source "$(dirname "$0")/../desktop/sound_server.sh"
start_desktop
export XDG_CONFIG_HOME=$work/config SDL_AUDIODRIVER=disk
settings=$XDG_CONFIG_HOME/tolvane/settings

# Plays a shot in the alien game with the stream going to FILE; leaves the field open.
shoot() {
    export SDL_DISKAUDIOFILE=$1
    shift
    "$@" >"$work/tolvane.log" 2>&1 &
    program=$!
    pids+=("$program")
    open_game starbreach
    field=$(shown "Starbreach Game")
    focus "$field" || fail "the field did not get the keyboard"
    xdotool key space
    sleep 0.5
}
# Nothing written, or silence.
silent() { [ ! -s "$1" ] || [ "$(loudest "$1" 0)" -eq 0 ]; }
end_program() {
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null
}

shoot "$work/sound.raw" "$1"
[ "$(loudest "$work/sound.raw" 0)" -gt 2000 ] || fail "the shot was not heard"
xdotool key ctrl+m
eventually grep -qx "mute = yes" "$settings" || fail "Ctrl+M did not keep the choice"
sleep 0.3
size=$(stat -c %s "$work/sound.raw")
xdotool key space
sleep 0.5
[ "$(stat -c %s "$work/sound.raw")" -eq "$size" ] || fail "the device stayed open after Ctrl+M"
still_running || fail "Ctrl+M ended the program$(why)"
end_program

shoot "$work/muted.raw" "$1"
silent "$work/muted.raw" || fail "the run muted by the settings file made a sound"
end_program

rm "$settings"
shoot "$work/option.raw" "$1" --mute
silent "$work/option.raw" || fail "the run started with --mute made a sound"
[ ! -e "$settings" ] || fail "--mute changed the settings file"
end_program
echo "Ctrl+M silenced the game and was kept; the next run and a --mute run were silent"
