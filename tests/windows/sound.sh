#!/bin/bash
# The box set for Windows is heard: under Wine, with SDL's disk audio driver writing the mixed
# sound to a file, Pondleap's board opens and its traffic hums, so the WAV sounds built into
# tolvane.exe were read and mixed by its SDL_mixer. Run by tests/windows/run, in the Wine prefix
# it has prepared.
# usage: sound.sh TOLVANE_EXE
source "$(dirname "$0")/../e2e/play.sh"
source "$(dirname "$0")/../desktop/sound_server.sh"
start_desktop
# Unmuted, whatever an earlier story kept.
rm -f "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/tolvane/settings"
# Wine hands the program its environment: the file is named as Windows reads a path of this
# machine's (Wine's drive Z: is the machine's root).
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="Z:${work//\//\\}\\heard.raw"
start_program /usr/lib/wine/wine64 "$1"
open_game pondleap
start_board
heard() { [ -s "$work/heard.raw" ] && [ "$(loudest "$work/heard.raw" 0)" -gt 1000 ]; }
eventually heard || fail "the board's traffic was not heard$(why)"
wmctrl -c "Pondleap Game"
expect_exit_status 0
expect_quiet
echo "the board's traffic was heard through SDL's disk driver, $(stat -c %s "$work/heard.raw") bytes"
