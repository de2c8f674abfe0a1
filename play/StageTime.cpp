#include "play/StageTime.h"

#include <algorithm>

namespace tolvane {

void StageTime::begin_round()
{
    m_round_us = m_real.now_us();
    if (m_journal)
        m_journal->flush_if_due(m_round_us);
    if (m_stalled || !m_stage->overdue(m_round_us))
        return;
    if (m_journal)
        m_journal->stall(m_clock.now_us(), m_round_us);
    m_clock.set(m_round_us);
    m_stalled = true;
}

void StageTime::take_input()
{
    std::int64_t moment = m_real.now_us();
    if (auto const due = m_stage->next_due())
        moment = std::min(moment, *due - 1);
    m_clock.set(std::max(moment, m_clock.now_us()));
}

void StageTime::deliver_ticks(TickObserver* observer)
{
    if (m_stalled) {
        m_stalled = false;
        while (m_stage->next_due() && *m_stage->next_due() <= m_clock.now_us())
            deliver_one(observer);
        return;
    }
    auto const due = m_stage->next_due();
    if (!due || *due > m_round_us)
        return;
    m_clock.set(*due);
    while (m_stage->next_due() == due)
        deliver_one(observer);
}

void StageTime::deliver_one(TickObserver* observer)
{
    Window const* next = observer ? m_stage->next_to_tick() : nullptr;
    std::string_view const window = next ? next->name() : std::string_view();
    std::int64_t const started = observer ? m_real.now_us() : 0;
    if (!m_stage->deliver_next_tick())
        return;
    if (m_journal)
        m_journal->ticked();
    if (observer)
        observer->ticked(window, started);
}

void StageTime::before_sleep(std::optional<std::int64_t> due)
{
    if (m_journal && !due)
        m_journal->flush();
}

} // namespace tolvane
