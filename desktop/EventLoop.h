#pragma once

#include "desktop/Desktop.h"
#include "play/StageTime.h"
#include "play/TickObserver.h"
#include "stage/Stage.h"

#include <cstdint>
#include <functional>
#include <optional>

namespace tolvane {

// The one thread that runs everything: waits for the desktop's next event or the next tick,
// whichever comes first, hands input over before any waiting tick, and repaints once the
// waiting input and ticks are dealt with. The stage's clock is `time`'s, which the loop sets as
// it delivers the ticks. An observer, when given, hears of every tick.
class EventLoop {
public:
    EventLoop(Stage& stage, Desktop& desktop, StageTime& time, TickObserver* observer = nullptr)
        : m_stage(stage)
        , m_desktop(desktop)
        , m_time(time)
        , m_observer(observer)
    {
        m_time.attach(stage);
    }

    // Runs until the program ends or is stopped from outside.
    void run();
    // A step of the shell's own, run once a round before the loop repaints and waits.
    void before_waiting(std::function<void()> step) { m_before_waiting = std::move(step); }

private:
    bool running() const { return !m_stage.ended() && !m_desktop.quit_requested(); }
    void handle_waiting_input();
    bool wait(std::optional<std::int64_t> due);

    Stage& m_stage;
    Desktop& m_desktop;
    StageTime& m_time;
    TickObserver* m_observer;
    std::function<void()> m_before_waiting;
};

} // namespace tolvane
