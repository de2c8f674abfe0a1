#include "bench/TickLog.h"
#include "boxset/BoxSet.h"
#include "shell/Shell.h"

#include <csignal>
#include <iostream>

// tolvane-probe: the box set on the desktop exactly as `tolvane` plays it, with a log of its
// ticks. SIGUSR1 writes the pace of every window since the last report (at the next tick) and
// starts a new interval; the last interval is written when the program ends.
int main()
{
    tolvane::bench::TickLog log(std::cout);
    std::signal(SIGUSR1, [](int) { tolvane::bench::TickLog::request_report(); });
    int const status = tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, &log);
    log.report(log.last_tick_us());
    return status;
}
