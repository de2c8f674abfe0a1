#pragma once

#include "desktop/Desktop.h"
#include "play/StageInput.h"
#include "stage/Clock.h"
#include "stage/Stage.h"

#include <cstdint>

namespace tolvane {

// A script played on the real windows: whoever reads the script acts on the stage and sets its
// clock, and waits here for each moment it is about to reach. Meanwhile the windows keep
// painting and the desktop is read, but the user's input does not reach the stage; closing a
// window, or a quit from outside (SIGINT, SIGTERM, SIGHUP), stops the replay, and so does time
// that would pass with no window on the screen, where nobody could close one.
class Replay {
public:
    // Thrown by `wait_until` once the replay is to stop: no failure, but the way out of the
    // script's reader, so it is no std::exception, which the reader takes for a fault.
    struct Stopped { };

    // `speed` scales the time: 2 plays twice as fast.
    Replay(Stage& stage, VirtualClock& clock, Desktop& desktop, Clock const& real, double speed);

    Stage& stage() { return m_stage; }
    VirtualClock& clock() { return m_clock; }
    // Returns when the moment of the stage's clock has come in real time; throws Stopped.
    void wait_until(std::int64_t moment_us);
    // Looks at the desktop, waiting up to `wait_ms` for something to happen there; throws
    // Stopped. For whoever reads the script, while no more of it has come.
    void keep_up(int wait_ms);
    // Paints what the last lines changed.
    void repaint() { m_desktop.repaint(); }

private:
    // The user's input, dropped; a close box stops the replay.
    class DroppedInput final : public StageInput {
    public:
        void key_down(int) override { }
        void mouse_press(Window&, double, double, int) override { }
        void mouse_release(Window*, double, double, int) override { }
        void close(Window&) override { closed = true; }
        void resize(Window&, int, int) override { }
        void focus_window(Window&) override { }
        bool closed = false;
    };

    void handle_events(int timeout_ms);
    bool stopped() const { return m_dropped.closed || m_desktop.quit_requested(); }
    bool nothing_shown() const;

    Stage& m_stage;
    VirtualClock& m_clock;
    Desktop& m_desktop;
    Clock const& m_real;
    double m_speed;
    std::int64_t m_origin_real;
    std::int64_t m_origin_stage;
    DroppedInput m_dropped;
};

} // namespace tolvane
