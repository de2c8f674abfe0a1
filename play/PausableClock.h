#pragma once

#include "stage/Clock.h"

#include <optional>

namespace tolvane {

// The event loop's clock: another clock's time less the time spent paused. While paused it
// stands still, so a pause is time that never passes for the stage; resumed, it goes on from
// where it stood, and no tick is owed for the pause.
class PausableClock final : public Clock {
public:
    explicit PausableClock(Clock const& source)
        : m_source(source)
    { }

    std::int64_t now_us() const override { return m_paused_at.value_or(m_source.now_us()) - m_paused_us; }

    bool paused() const { return m_paused_at.has_value(); }
    void pause()
    {
        if (!m_paused_at)
            m_paused_at = m_source.now_us();
    }
    void resume()
    {
        if (!m_paused_at)
            return;
        m_paused_us += m_source.now_us() - *m_paused_at;
        m_paused_at.reset();
    }

private:
    Clock const& m_source;
    std::optional<std::int64_t> m_paused_at; // the source's time when the pause began
    std::int64_t m_paused_us = 0; // the time spent in pauses that have ended
};

} // namespace tolvane
