#pragma once

#include "play/TickObserver.h"

#include <array>
#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <string_view>

namespace tolvane::bench {

// The pace of every ticking window, gathered over an interval and written as one line per
// window when asked:
//
//   tick-probe window=Starbreach1 ticks=640 seconds=10.000 rate=64.00 running_rate=64.00
//       largest_gap_ms=17.9 most_in_one_period=1
//
// (on one line). `running_rate` leaves out gaps of four periods (62.5 ms) or more, twice the
// worst the scheduler of a loaded machine makes: there the window's timer was off, as between
// two flights of the helicopter, or the whole program stood still, which `largest_gap_ms` shows. `most_in_one_period`
// is the most ticks of the window that fell within any 15.625 ms: 1 at an even pace, 2 where a
// late tick is followed by one on time, more only if ticks came in a burst.
class TickLog final : public TickObserver {
public:
    explicit TickLog(std::ostream& out)
        : m_out(out)
    { }

    void ticked(std::string_view window, std::int64_t started_us) override;

    // Asks for a report at the next tick; safe to call from a signal handler.
    static void request_report();
    // Writes what was gathered since the last report, up to `now_us`, and starts afresh.
    void report(std::int64_t now_us);
    std::int64_t last_tick_us() const { return m_last_tick_us; }

private:
    struct Pace {
        std::int64_t ticks = 0;
        std::int64_t last_us = -1;
        std::int64_t largest_gap_us = 0;
        std::int64_t paused_us = 0; // in gaps of four periods or more
        std::int64_t pauses = 0; // the ticks that end them start the running anew
        int most_in_one_period = 0;
        std::array<std::int64_t, 8> recent {}; // the latest tick times, a ring
        std::size_t next = 0;
    };
    static void add(Pace& pace, std::int64_t started_us);

    std::ostream& m_out;
    std::map<std::string, Pace, std::less<>> m_windows;
    std::int64_t m_interval_start_us = 0;
    std::int64_t m_last_tick_us = 0;
};

} // namespace tolvane::bench
