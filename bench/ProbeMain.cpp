#include "bench/TickLog.h"
#include "boxset/BoxSet.h"
#include "cli/Version.h"
#include "desktop/Session.h"
#include "play/Journal.h"
#include "play/Scale.h"
#include "script/Script.h"
#include "script/State.h"

#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// tolvane-probe: the box set on the desktop exactly as `tolvane` plays it, with a log of its
// ticks. SIGUSR1 writes the pace of every window since the last report (at the next tick) and
// starts a new interval; the last interval is written when the program ends. `--record FILE`
// records the session as `tolvane --record FILE` does, to measure the pace while recording;
// `--scale F` draws the windows at that scale, as `tolvane --scale F` does.
int main(int argc, char** argv)
{
    std::optional<std::string> record_to;
    std::optional<double> scale;
    for (int i = 1; i < argc; i += 2) {
        std::string_view const option = argv[i];
        std::string_view const value = i + 1 < argc ? argv[i + 1] : "";
        if (option == "--record" && !value.empty() && !record_to) {
            record_to = value;
        } else if (option == "--scale" && !scale && (scale = tolvane::scale_of(value))) {
            continue;
        } else {
            std::cerr << "usage: tolvane-probe [--record FILE] [--scale F]   (F from 0.5 to 4)\n";
            return 2;
        }
    }
    tolvane::bench::TickLog log(std::cout);
    std::signal(SIGUSR1, [](int) { tolvane::bench::TickLog::request_report(); });
    tolvane::Session session;
    session.observer = &log;
    session.scale = scale;
    if (record_to)
        session.open_journal = [path = *record_to](std::string& error) {
            return tolvane::Journal::open(path, tolvane::project_version, error);
        };
    session.state = [](tolvane::Stage const& stage) { return tolvane::dump_state(stage); };
    int const status = tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, session);
    log.report(log.last_tick_us());
    return status;
}
