#!/bin/bash
# A shot in the alien game is heard on a real sound server: PulseAudio with a null sink, its
# monitor recorded. The field opens (the boss releases bombs on ticks 1, 4 and 32, which are heard
# too, and the next on tick 134, about 2.1 s in); about a second in the recording is quiet, and
# Space launches the missile: its sound is in the next 0.6 s of the recording (the key's way to the
# program and the server's way to the recording take 0.15 to 0.35 s here), before the next bomb. Then the server goes away in the
# middle of play: the game plays on in silence, with at most one line on standard error.
#
# usage: sound_shot.sh TOLVANE
source "$(dirname "$0")/play.sh"
source "$(dirname "$0")/../desktop/sound_server.sh"
start_desktop
start_sound_server
start_recording "$work/heard.raw"
export XDG_CONFIG_HOME=$work/config
start_program "$1"

open_game starbreach
field=$(shown "Starbreach Game")
focus "$field" || fail "the field did not get the keyboard"
sleep 0.8
quiet_from=$(stat -c %s "$work/heard.raw")
sleep 0.3
before_shot=$(stat -c %s "$work/heard.raw")
[ "$(loudest "$work/heard.raw" "$quiet_from" "$before_shot")" -lt 200 ] \
    || fail "the field was not quiet before the shot"
xdotool key space
sleep 0.8
# 0.6 s of 16-bit mono at 48 kHz.
[ "$(loudest "$work/heard.raw" "$before_shot" $((before_shot + 57600)))" -gt 2000 ] || fail "the shot was not heard"

kill "$sound_server"
wait "$sound_server" 2>/dev/null
sleep 1.5
still_running || fail "the program did not survive the loss of the sound server$(why)"
xdotool key space
sleep 0.5
still_running || fail "the program stopped after the loss of the sound server$(why)"
lines=$(wc -l <"$work/tolvane.log")
[ "$lines" -le 1 ] || fail "more than one line on standard error: $(cat "$work/tolvane.log")"
echo "the shot was heard; without the server the game played on ($(cat "$work/tolvane.log"))"
