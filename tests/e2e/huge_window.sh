#!/bin/bash
# A window made as large as X allows by another client (`xdotool windowsize`, which no window
# manager stops): 32767 by 32767 pixels, four gigabytes of pixels. The program paints only the
# part that fits on the screen, so its memory stays that of a screen-sized window, and SIGTERM
# and SIGINT still end it at once with status 0. The story prints the memory and how long each
# signal took; it only fails on memory far above a screen's worth or an end later than 5 s.
#
# usage: huge_window.sh TOLVANE
source "$(dirname "$0")/play.sh"
start_desktop

# Kilobytes of a /proc/PID/status field.
memory() { awk -v field="$1:" '$1 == field { print $2 }' "/proc/$program/status"; }

# A program started in the background of a script ignores SIGINT unless given it back.
start_with_signals() {
    env --default-signal=INT "$1" >"$work/tolvane.log" 2>&1 &
    program=$!
    pids+=($program)
}

# Waits up to five seconds for the program to end, looking every 5 ms.
ends_within_5s() {
    local deadline=$((SECONDS + 5))
    while still_running; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.005
    done
}

for signal in TERM INT; do
    start_with_signals "$1"
    open_game pondleap
    start_board
    rss_before=$(memory VmRSS)
    xdotool windowsize "$board" 32767 32767
    size_reached() { xwininfo -id "$board" | grep -q "Width: 32767"; }
    eventually size_reached || fail "the board was not made 32767 pixels wide"
    sleep 3
    still_running || fail "the program ended with the huge board$(why)"
    peak=$(memory VmHWM)
    rss=$(memory VmRSS)
    # A 1280 x 1024 screen is 5 MB of pixels; 4 GB would be the whole window.
    [ "$peak" -lt 262144 ] || fail "the program took $peak kB at its peak with the huge board (before: $rss_before kB)"

    started=$(date +%s%N)
    kill -s "$signal" "$program"
    ends_within_5s || fail "SIG$signal did not end the program within 5 s"
    took_ms=$((($(date +%s%N) - started) / 1000000))
    expect_exit_status 0
    echo "SIG$signal: resident $rss_before kB before, $rss kB after the resize, peak $peak kB;" \
        "ended $took_ms ms after the signal"
done
