#pragma once

#include "stage/Clock.h"
#include "stage/Stage.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <string_view>

namespace tolvane {

// Plays the box set without a display from a line-based script: the same windows and stage as
// the game, on a virtual clock that only `run` moves. See docs/scripting.md for the language.
class ScriptRunner {
public:
    ScriptRunner();

    // Runs every line of the script; returns the exit status: 0 ran to its end, 1 an `expect`
    // failed, 2 a line was wrong. Messages go to `out` and `errors`.
    int run(std::istream& script, std::ostream& out, std::ostream& errors);

    // One line; throws ScriptError for a wrong line and ExpectationFailed for a failed `expect`.
    void execute(std::string_view line, std::ostream& out);

    Stage& stage() { return m_stage; }
    std::int64_t clock_us() const { return m_clock.now_us(); }
    void run_granules(std::int64_t granules);

    // The printed form of a target, as `print` shows it.
    std::string read(std::string_view target) const;
    std::string dump(std::string_view window = {}) const;

private:
    VirtualClock m_clock;
    Stage m_stage;
};

struct ScriptError {
    std::string message;
};

struct ExpectationFailed {
    std::string expected;
    std::string actual;
};

} // namespace tolvane
