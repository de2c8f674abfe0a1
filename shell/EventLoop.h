#pragma once

#include "shell/Desktop.h"
#include "stage/Clock.h"
#include "stage/Stage.h"

namespace tolvane {

// The one thread that runs everything: waits for the desktop's next event or the next tick,
// whichever comes first, hands input over before any waiting tick, and repaints only when
// nothing else is waiting.
class EventLoop {
public:
    EventLoop(Stage& stage, Desktop& desktop, Clock const& clock)
        : m_stage(stage)
        , m_desktop(desktop)
        , m_clock(clock)
    { }

    // Runs until the program ends or is stopped from outside.
    void run();

private:
    bool running() const { return !m_stage.ended() && !m_desktop.quit_requested(); }
    void wait();

    Stage& m_stage;
    Desktop& m_desktop;
    Clock const& m_clock;
};

} // namespace tolvane
