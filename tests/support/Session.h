#pragma once

#include "stage/Clock.h"
#include "stage/Stage.h"
#include "tests/support/Invariants.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace tolvane {

// A session of the box set for tests that play it at length: the same windows and stage as the
// game, on a virtual clock, with input given straight to the stage and every tick and every input
// checked by the invariants. The clock moves as tolvane-script's `run` and `stall` move it.
class Session {
public:
    Session();
    Session(Session const&) = delete;
    Session& operator=(Session const&) = delete;

    Stage& stage() { return m_stage; }
    std::int64_t now_us() const { return m_clock.now_us(); }
    bool ended() const { return m_stage.ended(); }
    Window* window(std::string_view name) const { return m_stage.find(name); }
    bool visible(std::string_view name) const;
    bool active(std::string_view name) const;
    // The first invariant that broke in this session; empty while all hold.
    std::string const& broken() const { return m_invariants.broken(); }

    // The clock. `run` first delivers the ticks left waiting by a stall, then every tick that falls
    // due in the next granules; `stall` moves the clock on without delivering any.
    void run(std::int64_t granules);
    void stall(std::int64_t microseconds);

    // Input, as the desktop gives it.
    void key(int code);
    void press(Window&, double x, double y, int button = 1);
    void release(Window*, double x, double y, int button = 1);
    // A press and release of the primary button at the centre of a sprite of a visible window.
    void click(std::string_view window, std::string_view sprite);
    void click(Window&, Sprite&);
    void close(Window&);
    void resize(Window&, int client_width, int client_height);
    void focus(Window&);
    // What a test hook may do besides: assign a window's `Visible`, queue the next `Rnd` values.
    void set_visible(std::string_view window, bool visible);
    void queue_rnd(std::deque<float> values);

private:
    VirtualClock m_clock;
    Stage m_stage { m_clock };
    Invariants m_invariants { m_stage };
};

} // namespace tolvane
