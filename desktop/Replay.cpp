#include "desktop/Replay.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

namespace tolvane {

Replay::Replay(Stage& stage, VirtualClock& clock, Desktop& desktop, Clock const& real, double speed)
    : m_stage(stage)
    , m_clock(clock)
    , m_desktop(desktop)
    , m_real(real)
    , m_speed(speed)
    , m_origin_real(real.now_us())
    , m_origin_stage(clock.now_us())
{
    m_desktop.player().send_to(m_dropped);
}

// The moment is reached at its real time after the replay began, scaled by the speed. A replay
// that falls behind (a slow machine, a long stall at high speed) goes on at once, never skips.
void Replay::wait_until(std::int64_t moment_us)
{
    if (nothing_shown())
        throw Stopped {};
    double const offset = static_cast<double>(moment_us - m_origin_stage) / m_speed;
    double const due = static_cast<double>(m_origin_real) + offset;
    for (;;) {
        handle_events(0);
        if (stopped())
            throw Stopped {};
        double const left_us = due - static_cast<double>(m_real.now_us());
        if (left_us <= 0)
            return;
        m_desktop.repaint();
        handle_events(static_cast<int>(std::min(std::ceil(left_us / 1000), 1000.0)));
    }
}

void Replay::keep_up(int wait_ms)
{
    m_desktop.repaint();
    handle_events(wait_ms);
    if (stopped())
        throw Stopped {};
}

bool Replay::nothing_shown() const
{
    bool shown = false;
    m_stage.for_each_loaded_window([&shown](Window const& window) { shown = shown || window.visible(); });
    return !shown && !m_stage.ended();
}

// Waits up to `timeout_ms` for the desktop's first event, then takes every event that waits.
void Replay::handle_events(int timeout_ms)
{
    SDL_Event event;
    if (timeout_ms > 0 && SDL_WaitEventTimeout(&event, timeout_ms))
        m_desktop.handle(event);
    while (SDL_PollEvent(&event))
        m_desktop.handle(event);
}

} // namespace tolvane
