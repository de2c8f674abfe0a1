#include "bench/TickLog.h"

#include "stage/Timer.h"

#include <csignal>
#include <iomanip>
#include <ostream>

namespace tolvane::bench {

namespace {

volatile std::sig_atomic_t report_requested = 0;

constexpr std::int64_t pause_us = 4 * Timer::granule_us;

double per_second(std::int64_t ticks, double seconds) { return seconds > 0 ? static_cast<double>(ticks) / seconds : 0; }

} // namespace

void TickLog::request_report() { report_requested = 1; }

void TickLog::ticked(std::string_view window, std::int64_t started_us)
{
    if (report_requested) {
        report_requested = 0;
        report(started_us);
    }
    auto found = m_windows.find(window);
    if (found == m_windows.end())
        found = m_windows.emplace(std::string(window), Pace {}).first;
    add(found->second, started_us);
    m_last_tick_us = started_us;
}

// A gap counts from the window's previous tick even when that fell in the interval before, so
// that a stall across a report is not lost.
void TickLog::add(Pace& pace, std::int64_t started_us)
{
    if (pace.last_us >= 0) {
        std::int64_t const gap = started_us - pace.last_us;
        pace.largest_gap_us = std::max(pace.largest_gap_us, gap);
        if (gap >= pause_us) {
            pace.paused_us += gap;
            ++pace.pauses;
        }
    }
    pace.last_us = started_us;
    ++pace.ticks;
    int within = 1;
    for (std::int64_t const earlier : pace.recent)
        if (earlier > 0 && started_us - earlier < Timer::granule_us)
            ++within;
    pace.most_in_one_period = std::max(pace.most_in_one_period, within);
    pace.recent[pace.next] = started_us;
    pace.next = (pace.next + 1) % pace.recent.size();
}

void TickLog::report(std::int64_t now_us)
{
    double const seconds = static_cast<double>(now_us - m_interval_start_us) / 1e6;
    for (auto& [name, pace] : m_windows) {
        if (pace.ticks == 0)
            continue;
        double const running = seconds - static_cast<double>(pace.paused_us) / 1e6;
        m_out << std::fixed << "tick-probe window=" << name << " ticks=" << pace.ticks << std::setprecision(3)
              << " seconds=" << seconds << std::setprecision(2) << " rate=" << per_second(pace.ticks, seconds)
              << " running_rate=" << per_second(pace.ticks - pace.pauses, running) << std::setprecision(1)
              << " largest_gap_ms=" << static_cast<double>(pace.largest_gap_us) / 1e3
              << " most_in_one_period=" << pace.most_in_one_period << '\n';
        pace = { .last_us = pace.last_us, .recent = pace.recent, .next = pace.next };
    }
    m_out << "tick-probe end seconds=" << std::setprecision(3) << seconds << std::endl;
    m_interval_start_us = now_us;
}

} // namespace tolvane::bench
