# Helpers for the stories played on the measuring twin `tolvane-probe`, sourced after the desktop
# helpers: it writes a report of the ticks' pace on SIGUSR1, one line per window.
[ -n "${1:-}" ] && [ -x "$1" ] || { echo "skipped: tolvane-probe is not built (it needs libbenchmark-dev)"; exit 77; }

reports() { grep -c '^tick-probe end' "$work/tolvane.log"; }
reported_since() { [ "$(reports)" -gt "$1" ]; }
# The last report's line for a window, and one field of such a line.
pace() { grep "window=$1 " "$work/tolvane.log" | tail -1; }
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"; }
