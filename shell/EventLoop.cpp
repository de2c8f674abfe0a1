#include "shell/EventLoop.h"

#include <SDL.h>

#include <limits>

namespace tolvane {

void EventLoop::run()
{
    while (running()) {
        SDL_Event event;
        if (SDL_PollEvent(&event)) {
            m_desktop.handle(event);
            continue;
        }
        if (m_stage.deliver_next_tick())
            continue;
        m_desktop.repaint();
        wait();
    }
}

// Sleeps in the desktop's event queue until the next tick is due; with no timer running, until
// the next event. The wait is rounded up to whole milliseconds so a tick is never early.
void EventLoop::wait()
{
    SDL_Event event;
    std::optional<std::int64_t> const due = m_stage.next_due();
    if (!due) {
        if (SDL_WaitEvent(&event))
            m_desktop.handle(event);
        return;
    }
    std::int64_t const left_us = *due - m_clock.now_us();
    if (left_us <= 0)
        return;
    auto const timeout_ms
        = static_cast<int>(std::min<std::int64_t>((left_us + 999) / 1000, std::numeric_limits<int>::max()));
    if (SDL_WaitEventTimeout(&event, timeout_ms))
        m_desktop.handle(event);
}

} // namespace tolvane
