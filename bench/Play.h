#pragma once

#include "script/Script.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <sstream>
#include <string>
#include <string_view>

namespace tolvane::bench {

// A headless session driven into play by script lines, as a player would get there.
class Session {
public:
    explicit Session(std::string const& lines)
    {
        std::istringstream script(lines);
        std::ostringstream out;
        runner.run(script, out, out);
    }
    Window& window(std::string_view name) { return *runner.stage().find(name); }

    ScriptRunner runner;
};

// How a game window is brought into the middle of play, and for how many ticks it surely stays
// there before the game could end or a flight could crash.
struct PlayDesign {
    std::string setup;
    std::string_view window;
    int renew_every = 0;
};

// The road board with the frog resting in the start band: nothing hits it, and the countdown
// (12 thousandths a tick from 10) keeps running for more than 800 ticks.
inline PlayDesign const pondleap { "click Mainform imgpondleap\nclick Pondleap2 Image1\nrun 100\n", "Pondleap1", 512 };

// The cannon eight presses left, at 2240, where no bomb column reaches it: play goes on for ever.
inline PlayDesign const starbreach { "click Mainform Image1\nclick Mainform imgstarbreach\n"
                                     "key 37\nkey 37\nkey 37\nkey 37\nkey 37\nkey 37\nkey 37\nkey 37\n"
                                     "key 32\nrun 100\n",
    "Starbreach1", 4096 };

// A climbing helicopter reaches the ceiling about 55 ticks into its flight.
inline PlayDesign const skyhaul { "click Mainform Image2\nclick Mainform ImgCopter\nclick Helicoptergame lblstart\n"
                                  "press Helicoptergame 5000 6000\nrun 10\n",
    "Helicoptergame", 32 };

// Keeps a game window in the middle of play for as long as a benchmark runs: every
// `renew_every` ticks the session is started afresh, outside the timed region, after checking
// that it never left play. A figure measured on a lost board would not be a figure of play.
class Play {
public:
    explicit Play(PlayDesign const& design)
        : m_design(design)
    {
        start();
    }

    Window& window() const { return *m_window; }

    // Call once per tick; renews the session when it is due, with the timing paused.
    void keep_in_play(benchmark::State& state)
    {
        if (++m_ticks < m_design.renew_every)
            return;
        state.PauseTiming();
        renew(state);
        state.ResumeTiming();
    }

    // For benchmarks that time themselves: renews without touching the timer. True when the
    // session is new, so that whatever was drawn of the old one is stale.
    bool renew_if_due(benchmark::State& state)
    {
        if (++m_ticks < m_design.renew_every)
            return false;
        renew(state);
        return true;
    }

private:
    void start()
    {
        m_session = std::make_unique<Session>(m_design.setup);
        m_window = &m_session->window(m_design.window);
        m_ticks = 0;
    }

    // Ticks are called straight on the handler, so the stage's own timer may already have
    // stopped: a lost life or a crash stops it.
    bool in_play() const { return m_window->visible() && m_window->timer() && bool(m_window->timer()->Enabled); }

    void renew(benchmark::State& state)
    {
        if (!in_play())
            state.SkipWithError("the game left play before it was renewed; renew it sooner");
        start();
    }

    PlayDesign m_design;
    std::unique_ptr<Session> m_session;
    Window* m_window = nullptr;
    int m_ticks = 0;
};

} // namespace tolvane::bench
