#include "bench/TickLog.h"
#include "boxset/BoxSet.h"
#include "cli/Version.h"
#include "shell/Journal.h"
#include "shell/Shell.h"
#include "tools/script/Script.h"

#include <csignal>
#include <iostream>
#include <memory>
#include <string>
#include <string_view>

// tolvane-probe: the box set on the desktop exactly as `tolvane` plays it, with a log of its
// ticks. SIGUSR1 writes the pace of every window since the last report (at the next tick) and
// starts a new interval; the last interval is written when the program ends. `--record FILE`
// records the session as `tolvane --record FILE` does, to measure the pace while recording.
int main(int argc, char** argv)
{
    std::unique_ptr<tolvane::Journal> journal;
    if (argc == 3 && std::string_view(argv[1]) == "--record") {
        std::string error;
        journal = tolvane::Journal::open(argv[2], tolvane::project_version, error);
        if (!journal) {
            std::cerr << "tolvane-probe: cannot record: " << error << '\n';
            return 2;
        }
    } else if (argc != 1) {
        std::cerr << "usage: tolvane-probe [--record FILE]\n";
        return 2;
    }
    tolvane::bench::TickLog log(std::cout);
    std::signal(SIGUSR1, [](int) { tolvane::bench::TickLog::request_report(); });
    tolvane::Session session;
    session.observer = &log;
    session.journal = journal.get();
    session.state = [](tolvane::Stage const& stage) { return tolvane::dump_state(stage); };
    int const status = tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, session);
    log.report(log.last_tick_us());
    return status;
}
