#pragma once

#include <cstdint>
#include <optional>

namespace tolvane {

class Window;
class Timer;

// `Timer1.Enabled`: switching it on starts a fresh period, switching it off stops the ticks.
class TimerSwitch {
public:
    explicit TimerSwitch(Timer& timer)
        : m_timer(timer)
    { }
    TimerSwitch(TimerSwitch const&) = delete;
    operator bool() const;
    TimerSwitch& operator=(bool enabled);

private:
    Timer& m_timer;
};

// `Timer1.Interval` in whole milliseconds; a new interval starts a fresh period.
class TimerInterval {
public:
    TimerInterval(Timer& timer, int milliseconds)
        : m_timer(timer)
        , m_milliseconds(milliseconds)
    { }
    TimerInterval(TimerInterval const&) = delete;
    operator int() const { return m_milliseconds; }
    TimerInterval& operator=(int milliseconds);

private:
    friend class Timer;
    Timer& m_timer;
    int m_milliseconds;
};

struct TimerDesign {
    int interval = 0;
    bool enabled = true;
};

// A window's one repeating timer, always named `Timer1`. Its schedule is kept here and run
// by the stage: one due time, so at most one tick ever waits.
class Timer {
public:
    static constexpr std::int64_t granule_us = 15'625;

    Timer(Window& window, TimerDesign design);
    Timer(Timer const&) = delete;

    TimerSwitch Enabled { *this };
    TimerInterval Interval;

    Window& window() const { return m_window; }
    // The length of one period: the interval, but never less than the granule; none for 0.
    std::optional<std::int64_t> period_us() const;
    std::optional<std::int64_t> due_us() const { return m_due; }
    std::uint64_t period_order() const { return m_period_order; }

private:
    friend class TimerSwitch;
    friend class TimerInterval;
    friend class Stage;
    void start_period();
    void stop() { m_due.reset(); }

    Window& m_window;
    bool m_enabled = false;
    std::optional<std::int64_t> m_due;
    std::uint64_t m_period_order = 0;
};

} // namespace tolvane
