#include "desktop/EventLoop.h"

#include <SDL.h>

#include <array>
#include <limits>

namespace tolvane {

// Each round takes in the input that waits, gives the ticks due at the earliest due time (all
// of them together: no input goes between ticks due at the same moment) and, unless another
// tick waits, repaints and sleeps. The desktop's queue is read in one go per round, which keeps
// a round to a few calls to the display; and as a round handles only the input that waited when
// it began, input that keeps pouring in cannot hold the ticks or the repaints back.
void EventLoop::run()
{
    bool slept_till_due = false;
    while (running()) {
        m_time.begin_round();
        if (!slept_till_due)
            handle_waiting_input();
        if (running() && !m_desktop.paused())
            m_time.deliver_ticks(m_observer);
        if (!running())
            return;
        slept_till_due = false;
        // Repainting runs no handler, so the next tick stays where it is until the wait. While
        // the box set is paused no tick is due: the loop sleeps until the next event.
        std::optional<std::int64_t> const due = m_desktop.paused() ? std::nullopt : m_stage.next_due();
        if (due && *due <= m_time.real_us())
            continue;
        m_time.before_sleep(due);
        if (m_before_waiting)
            m_before_waiting();
        m_desktop.repaint();
        slept_till_due = wait(due);
    }
}

void EventLoop::handle_waiting_input()
{
    SDL_PumpEvents();
    int waiting = SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
    std::array<SDL_Event, 64> events;
    while (waiting > 0 && running()) {
        int const taken = SDL_PeepEvents(events.data(), std::min(waiting, static_cast<int>(events.size())),
            SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT);
        if (taken <= 0)
            return;
        waiting -= taken;
        for (int i = 0; i < taken && running(); ++i)
            m_desktop.handle(events[static_cast<std::size_t>(i)]);
    }
}

// Sleeps in the desktop's event queue until the next tick is due; with no timer running, until
// the next event. The wait is rounded up to whole milliseconds so a tick is never early. True
// when it slept until the tick was due with no input coming: the queue was looked at just
// before and nothing has come since, so the round that follows need not look again before the
// tick, and a steady game asks the display for its events once a tick instead of twice.
bool EventLoop::wait(std::optional<std::int64_t> due)
{
    SDL_Event event;
    if (!due) {
        if (SDL_WaitEvent(&event))
            m_desktop.handle(event);
        return false;
    }
    std::int64_t const left_us = *due - m_time.real_us();
    if (left_us <= 0)
        return false;
    auto const timeout_ms
        = static_cast<int>(std::min<std::int64_t>((left_us + 999) / 1000, std::numeric_limits<int>::max()));
    if (!SDL_WaitEventTimeout(&event, timeout_ms))
        return true;
    m_desktop.handle(event);
    return false;
}

} // namespace tolvane
