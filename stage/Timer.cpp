#include "stage/Timer.h"

#include "stage/Stage.h"
#include "stage/Window.h"

#include <algorithm>

namespace tolvane {

TimerSwitch::operator bool() const { return m_timer.m_enabled; }

TimerSwitch& TimerSwitch::operator=(bool enabled)
{
    if (enabled == m_timer.m_enabled)
        return *this;
    m_timer.m_enabled = enabled;
    if (enabled)
        m_timer.start_period();
    else
        m_timer.stop();
    return *this;
}

TimerInterval& TimerInterval::operator=(int milliseconds)
{
    m_milliseconds = milliseconds;
    if (m_timer.m_enabled)
        m_timer.start_period();
    return *this;
}

Timer::Timer(Window& window, TimerDesign design)
    : Interval(*this, design.interval)
    , m_window(window)
    , m_enabled(design.enabled)
{
    window.store_timer(*this);
}

std::optional<std::int64_t> Timer::period_us() const
{
    if (Interval <= 0)
        return std::nullopt;
    return std::max<std::int64_t>(std::int64_t { Interval } * 1000, granule_us);
}

void Timer::start_period()
{
    auto const period = period_us();
    if (!period) {
        m_due.reset();
        return;
    }
    m_due = m_window.stage().now_us() + *period;
    m_period_order = m_window.stage().next_period_order();
}

} // namespace tolvane
