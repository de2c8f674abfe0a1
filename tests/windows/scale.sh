#!/bin/bash
# The box set for Windows takes its scale from the screen's DPI, never from GDK_SCALE: under Wine
# on a screen large enough for any window, the launcher at 192 DPI is twice as large as at 96, with
# GDK_SCALE=3 in the environment too. The DPI is Wine's (its registry's LogPixels), put back to
# what it was at the end. Run by tests/windows/run, in the Wine prefix it has prepared.
# usage: scale.sh TOLVANE_EXE
source "$(dirname "$0")/../e2e/play.sh"
start_desktop 3200x2400
wine=/usr/lib/wine/wine64
tolvane=$1

# Wine takes the DPI from its registry when its server starts: each DPI gets a server of its own.
set_dpi() {
    /usr/lib/wine/wineserver64 -k
    /usr/lib/wine/wineserver64 -w
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 </dev/null \
        || fail "Wine's DPI could not be set to $1"
}
trap 'set_dpi 96; cleanup' EXIT

# The launcher's client size in pixels, "WIDTH HEIGHT", when the program runs with the
# environment given.
launcher_at() {
    start_program env "$@" "$wine" "$tolvane"
    eventually shown "Tolvane box set" || fail "the launcher did not appear$(why)"
    size=$(xwininfo -id "$(shown 'Tolvane box set')" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
    wmctrl -c "Tolvane box set"
    expect_exit_status 0
}

set_dpi 96
launcher_at GDK_SCALE=3
read -r width height <<<"$size"
set_dpi 192
launcher_at GDK_SCALE=3
read -r double_width double_height <<<"$size"
# Each edge is rounded to a whole pixel, so a doubled side may be a pixel off twice the side.
near() { [ $(($1 - 2 * $2)) -ge -1 ] && [ $(($1 - 2 * $2)) -le 1 ]; }
near "$double_width" "$width" && near "$double_height" "$height" \
    || fail "the launcher is ${width}x$height at 96 DPI and ${double_width}x$double_height at 192 DPI"
echo "the launcher is ${width}x$height at 96 DPI and ${double_width}x$double_height at 192 DPI, whatever GDK_SCALE says"
