#!/bin/bash
# An input storm: thousands of key presses and mouse events within a few seconds, over the road
# board and then over the helicopter field, played on the measuring twin of the program. The
# ticks must keep coming through the storm, and the program must still answer afterwards: the
# board takes keys and its Reset button, the helicopter field a click, and a SIGTERM ends the
# program with status 0. The pace of the ticks during the storm is printed for information; it
# is measured, never asserted.
#
# With RECORD_TO the probe records each storm in that journal, as `tolvane --record` does, and
# with REPLAY_WITH too, that runner replays the journal to the state it recorded.
#
# usage: [RECORD_TO=JOURNAL [REPLAY_WITH=TOLVANE_SCRIPT]] storm.sh TOLVANE_PROBE
source "$(dirname "$0")/../desktop/desktop.sh"
source "$(dirname "$0")/probe.sh"
start_desktop

# Asks the probe for the pace since its last report and waits until it has written it, at the
# window's next tick. `nudge`, run before each asking, makes sure a tick comes.
report() {
    local before
    before=$(reports)
    for _ in 1 2 3 4 5; do
        nudge
        kill -USR1 "$program"
        for _ in $(seq 20); do reported_since "$before" && return 0; sleep 0.1; done
    done
    return 1
}

# Left and Right in turn, as fast as xdotool sends them, to the window that has the keyboard.
key_storm() {
    local keys=()
    for ((i = 0; i < $1 / 2; i++)); do keys+=(Left Right); done
    xdotool key --delay 0 "${keys[@]}"
}

# The pointer jumps about the window's client area, pressing and releasing the left button at
# every stop; every eighth stop is at the client pixel `home`, when one is given.
mouse_storm() {
    local X Y WIDTH HEIGHT WINDOW SCREEN moves=() x y
    eval "$(xdotool getwindowgeometry --shell "$1")"
    for ((i = 0; i < $2; i++)); do
        x=$((10 + (i * 37) % (WIDTH - 20))) y=$((10 + (i * 53) % (HEIGHT - 20)))
        [ -n "${3:-}" ] && [ $((i % 8)) -eq 0 ] && read -r x y <<<"$3"
        moves+=(mousemove $((X + x)) $((Y + y)) mousedown 1 mouseup 1)
    done
    xdotool "${moves[@]}"
}

# Plays a storm on a window of the running probe; prints and checks what the ticks did.
storm() {
    local window=$1 caption=$2 keys=$3 presses=$4 home=${5:-} began took ticks
    report || fail "the probe wrote no report before the storm"
    began=$(date +%s%N)
    key_storm "$keys"
    mouse_storm "$(shown "$caption")" "$presses" "$home"
    took=$((($(date +%s%N) - began) / 1000000))
    report || fail "no tick came after the storm"
    ticks=$(pace "$window")
    echo "storm: $window, $keys key presses and $presses mouse presses with $presses moves in $took ms:" \
        "$(field ticks "$ticks") ticks at $(field rate "$ticks")/s ($(field running_rate "$ticks")/s while its" \
        "timer ran), largest gap $(field largest_gap_ms "$ticks") ms, most in one period" \
        "$(field most_in_one_period "$ticks")"
    [ "$(field ticks "$ticks")" -gt 0 ] || fail "no tick of $window during the storm"
    kill -0 "$program" 2>/dev/null || fail "the program did not live through the storm"
}

ends_on_sigterm() {
    kill -TERM "$program"
    expect_exit_status 0
    [ -n "${RECORD_TO:-}" ] && [ -n "${REPLAY_WITH:-}" ] || return 0
    local recorded replayed
    recorded=$(sed -n 's/^# state //p' "$RECORD_TO")
    replayed=$( (cat "$RECORD_TO"; echo dump) | "$REPLAY_WITH" -)
    [ -n "$recorded" ] && [ "$replayed" = "$recorded" ] || fail "the journal of the storm did not replay to its state"
    echo "storm: the journal of $(grep -vc '^#' "$RECORD_TO") lines replays to the recorded state"
}

# The frog hops left and right in the start band, out of the traffic; mouse presses on the
# board go nowhere. The countdown leaves thirteen seconds for it.
start_program "$1" ${RECORD_TO:+--record "$RECORD_TO"}
eventually shown "Tolvane box set" || fail "the selection window did not appear"
click "$(shown "Tolvane box set")" 336 236
eventually shown "Pondleap start" || fail "the start window did not open"
click "$(shown "Pondleap start")" 211 233
eventually shown "Pondleap Game" || fail "the board did not open"
board=$(shown "Pondleap Game")
xdotool windowactivate --sync "$board" || fail "the board did not get the keyboard"
nudge() { :; }
storm Pondleap1 "Pondleap Game" 3000 600

# Afterwards four presses of the up arrow put the frog among the tractors, which take a life,
# and Reset shows; a click on it starts the board again.
xdotool windowactivate --sync "$board"
xdotool key --window "$board" Up Up Up Up
eventually reset_shown "$board" || fail "the board did not take the keys after the storm"
click "$board" 360 158
report || fail "Reset did not start the board again after the storm"
ends_on_sigterm

# Presses climb, releases fall, and every eighth press is on "Click to start", which starts a
# new flight after a crash; a click on it before each report makes sure a flight runs, and
# after the storm shows that the field still takes clicks.
start_program "$1" ${RECORD_TO:+--record "$RECORD_TO"}
eventually shown "Tolvane box set" || fail "the selection window did not appear"
click "$(shown "Tolvane box set")" 556 241
click "$(shown "Tolvane box set")" 336 236
eventually shown "Skyhaul" || fail "the helicopter window did not open"
nudge() { click "$(shown "Skyhaul")" 328 192; }
storm Helicoptergame Skyhaul 1000 1500 "328 192"
ends_on_sigterm
echo "the program kept ticking through both storms and answered afterwards"
