#pragma once

#include "play/Journal.h"
#include "play/TickObserver.h"
#include "stage/Clock.h"
#include "stage/Stage.h"

#include <cstdint>
#include <optional>

namespace tolvane {

// The stage's clock on the desktop. The stage never reads the real clock: the event loop sets
// the stage's clock, so that every moment the program can observe is one that a replay of the
// journal gives again. A tick runs with the clock at its due time; an input is taken at the real
// moment, but before the next tick that is due, since input always goes before a waiting tick;
// and when the program could not run for longer than a period of a timer (it was stopped,
// suspended or starved), that is a stall: the clock jumps to the moment it woke, the input that
// waited is taken there, and then every tick that fell due meanwhile runs there once, late.
class StageTime {
public:
    // `real` is the desktop's clock, which the loop waits by; `journal`, when given, hears of
    // stalls and ticks and gets the time of each input.
    explicit StageTime(Clock const& real, Journal* journal = nullptr)
        : m_real(real)
        , m_journal(journal)
    { }
    StageTime(StageTime const&) = delete;
    StageTime& operator=(StageTime const&) = delete;

    // The clock the stage is to be made on.
    VirtualClock& clock() { return m_clock; }
    void attach(Stage& stage) { m_stage = &stage; }
    Journal* journal() const { return m_journal; }

    std::int64_t real_us() const { return m_real.now_us(); }
    std::int64_t stage_us() const { return m_clock.now_us(); }

    // The start of a round of the loop: notes the real time and finds a stall.
    void begin_round();
    // Sets the clock to the moment the stage takes an input: now, but before the next tick due
    // and never before the clock as it stands.
    void take_input();
    // After a stall, every tick that waits, at the stall's end; otherwise the ticks due at the
    // earliest due time, if that has come, all together at that time.
    void deliver_ticks(TickObserver* observer = nullptr);
    // The loop is about to sleep until `due`, or with no tick due until the next event.
    void before_sleep(std::optional<std::int64_t> due);

private:
    void deliver_one(TickObserver* observer);

    Clock const& m_real;
    Journal* m_journal;
    VirtualClock m_clock;
    Stage* m_stage = nullptr;
    std::int64_t m_round_us = 0;
    bool m_stalled = false;
};

} // namespace tolvane
