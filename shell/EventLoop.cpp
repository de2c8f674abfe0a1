#include "shell/EventLoop.h"

#include <SDL.h>

#include <array>
#include <limits>

namespace tolvane {

// Each round takes in the input that waits, gives the tick that is due and, unless another
// tick waits, repaints and sleeps. The desktop's queue is read in one go per round, which keeps
// a round to a few calls to the display; and as a round handles only the input that waited when
// it began, input that keeps pouring in cannot hold the ticks or the repaints back.
void EventLoop::run()
{
    bool slept_till_due = false;
    while (running()) {
        if (!slept_till_due)
            handle_waiting_input();
        if (running())
            deliver_tick();
        if (!running())
            return;
        slept_till_due = false;
        // Repainting runs no handler, so the next tick stays where it is until the wait.
        std::optional<std::int64_t> const due = m_stage.next_due();
        if (due && *due <= m_clock.now_us())
            continue;
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

void EventLoop::deliver_tick()
{
    if (m_observer)
        deliver_observed_tick();
    else
        m_stage.deliver_next_tick();
}

void EventLoop::deliver_observed_tick()
{
    Window const* next = m_stage.next_to_tick();
    std::string_view const window = next ? next->name() : std::string_view();
    std::int64_t const started = m_clock.now_us();
    if (m_stage.deliver_next_tick())
        m_observer->ticked(window, started);
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
    std::int64_t const left_us = *due - m_clock.now_us();
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
