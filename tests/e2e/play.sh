# Helpers for the end-to-end stories and tools/gallery, over the harness of tests/desktop/desktop.sh
# (start_desktop, start_program, shown, click, pixel, fingerprint, eventually, expect_exit_status).
# Client pixels are twips divided by 15: that is where the desktop draws every sprite.
source "$(dirname "${BASH_SOURCE[0]}")/../desktop/desktop.sh"

# A window can be hidden between a look at the screen and its capture, and `import` waits for
# ever on a hidden window; no capture here waits longer than five seconds (`timeout` runs the
# program, not this function).
import() { timeout 5 import "$@"; }

# Waits up to SECONDS for a command to succeed; for what takes longer than `eventually` waits.
eventually_within() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    while [ "$SECONDS" -lt "$deadline" ]; do
        "$@" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    "$@" >/dev/null 2>&1
}

# The opposite of a check, for `eventually not ...`.
not() { ! "$@"; }

# Whether what a command prints now differs from, or equals, a value seen before. Use these
# with `eventually`, which must run the command anew on every try: `eventually test "$(f)" ...`
# would compare only the first output again and again.
differs() { [ "$($1)" != "$2" ]; }
equals() { [ "$($1)" = "$2" ]; }

hidden() { [ -z "$(shown "$1")" ]; }

still_running() { kill -0 "$program" 2>/dev/null; }

# Normal play prints nothing on standard error: not even an X error about a window of ours that
# is gone, which the program expects.
expect_quiet() { [ ! -s "$work/tolvane.log" ] || fail "the program printed: $(cat "$work/tolvane.log")"; }

# For a failure message: what the program said if it is no longer running.
why() { still_running || echo "; the program has ended: $(cat "$work/tolvane.log")"; }

has_focus() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }

# Gives a shown window the keyboard; keys sent with `xdotool key` then reach it.
focus() {
    has_focus "$1" && return 0
    xdotool windowactivate "$1" >/dev/null 2>&1
    eventually has_focus "$1"
}

# A left click at client pixel X Y of a window, given the keyboard first. SDL drops a click that
# comes within a few milliseconds of the window's focus, so a click on a window that is not
# active, or has only just become active, would only activate it; the pause lets the focus
# settle before the click.
click_in() {
    focus "$1" || fail "the window $1 did not get the keyboard"
    sleep 0.2
    click "$@"
}

# The captions of the windows on the screen, for messages.
windows_shown() {
    local id
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
        printf '"%s" ' "$(xdotool getwindowname "$id")"
    done
}

# Presses a key COUNT times as one burst, without pauses between the presses.
press_times() { xdotool key --delay 0 $(printf "$2 %.0s" $(seq "$1")); }

# The launcher's game picture, which changes with the page.
launcher_picture() { fingerprint "$(shown 'Tolvane box set')" 230x200+220+135; }

# Opens a game from the launcher: the left arrow turns to the alien page, the right arrow to the
# helicopter page, then a click on the picture opens the game's first window.
open_game() {
    local game=$1 first arrow=""
    case $game in
    pondleap) first="Pondleap start" ;;
    starbreach) first="Starbreach Game" arrow=92 ;;
    skyhaul) first="Skyhaul" arrow=556 ;;
    *) fail "no game called $game" ;;
    esac
    eventually shown "Tolvane box set" || fail "the selection window did not appear"
    local launcher road
    launcher=$(shown "Tolvane box set")
    road=$(launcher_picture)
    if [ -n "$arrow" ]; then
        click_in "$launcher" "$arrow" 241
        eventually differs launcher_picture "$road" || fail "the arrow did not turn the page"
    fi
    click_in "$launcher" 336 236
    eventually shown "$first" || fail "the picture did not open \"$first\""
    eventually hidden "Tolvane box set" || fail "the selection window stayed on the screen"
}

# Start on "Pondleap start" opens the road board: sets `board` and gives it the keyboard.
start_board() {
    click_in "$(shown 'Pondleap start')" 211 233
    eventually shown "Pondleap Game" || fail "Start did not open the board: $(windows_shown)"
    board=$(shown "Pondleap Game")
    focus "$board" || fail "the board did not get the keyboard"
}

# Help on "Pondleap start" opens the help window over Start, but not over Help: sets `start` and
# `help`.
open_help() {
    start=$(shown "Pondleap start")
    click_in "$start" 215 338
    eventually shown "Pondleap Help" || fail "Help did not open the help window"
    help=$(shown "Pondleap Help")
}

# Skyhaul's "Click to start" covers client pixels 248 to 409, rows 176 to 209 of the window `game`.
start_label() { fingerprint "$game" 161x33+248+176; }

# How much of an area of a window, in thousandths, is not of the given colour: the amount of
# text on a label, say.
ink() {
    import -window "$1" -crop "$2" +repage png:- 2>/dev/null |
        convert - -fill white -opaque "$3" -fill black +opaque white -colorspace gray \
            -format '%[fx:round(1000*(1-mean))]' info:
}
