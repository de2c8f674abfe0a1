#!/bin/bash
# No sound device at all (no sound server, no card): the alien game opens and plays, and standard
# error has one line about the sound and nothing of what the audio libraries print on the way.
#
# usage: sound_none.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset SDL_AUDIODRIVER PULSE_SERVER
start_program "$1"
open_game starbreach
focus "$(shown "Starbreach Game")" || fail "the field did not get the keyboard"
xdotool key space
sleep 1
still_running || fail "the program stopped without a sound device$(why)"
lines=$(wc -l <"$work/tolvane.log")
[ "$lines" -le 1 ] || fail "more than one line on standard error: $(cat "$work/tolvane.log")"
echo "played on without a sound device; said: $(cat "$work/tolvane.log")"
