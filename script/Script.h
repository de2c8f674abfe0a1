#pragma once

#include "stage/Clock.h"
#include "stage/Stage.h"

#include <cstdint>
#include <exception>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// How the time commands pass time. Without a display they take none: the runner moves its
// clock straight on. On the desktop a replay waits in real time for each moment the runner is
// about to reach, while the windows keep painting.
class Pace {
public:
    virtual ~Pace() = default;
    // Returns once the moment, on the runner's clock, has come.
    virtual void wait_until(std::int64_t moment_us) = 0;
};

// Plays the box set from a line-based script: the same windows and stage as the game, on a
// virtual clock that only `run`, `at` and `stall` move. See docs/scripting.md for the language.
class ScriptRunner {
public:
    // The clock never passes 2^62 microseconds, so that no sum of times can overflow.
    static constexpr std::int64_t clock_limit_us = std::int64_t { 1 } << 62;

    // Without a display: the runner makes its own clock and stage and starts the program.
    ScriptRunner();
    // On a stage that someone else made on `clock` and started; the time commands wait for
    // `pace` before each moment they reach.
    ScriptRunner(Stage& stage, VirtualClock& clock, Pace& pace);
    ~ScriptRunner();
    ScriptRunner(ScriptRunner const&) = delete;
    ScriptRunner& operator=(ScriptRunner const&) = delete;

    // Runs every line of the script; returns the exit status: 0 ran to its end, 1 an `expect`
    // failed, 2 a line was wrong or a stream failed. Messages go to `out` and `errors`; a failure
    // to read the script names it as `script_name`.
    int run(
        std::istream& script, std::ostream& out, std::ostream& errors, std::string_view script_name = "standard input");

    // Writes out what each line printed as soon as the line is done, rather than when the output's
    // buffer fills or the runner waits for more of its script: for a reader that watches the
    // answers come, as a terminal or a pipe does.
    void answer_each_line(bool each_line) { m_answer_each_line = each_line; }

    // One line; throws ScriptError for a wrong line, ExpectationFailed for a failed `expect`.
    void execute(std::string_view line, std::ostream& out);

    Stage& stage() { return m_stage; }
    Stage const& stage() const { return m_stage; }
    std::int64_t clock_us() const { return m_clock.now_us(); }
    // Throws ScriptError, and moves nothing, when the run would carry the clock past its limit.
    void run_granules(std::int64_t granules);
    // `at`: delivers the ticks that wait late, then every tick due up to and including `moment`
    // at its due time, and leaves the clock at `moment` (at the tick that ended the program).
    void advance_to(std::int64_t moment);
    // `stall`: delivers the ticks that wait late, then moves the clock to `moment` without
    // delivering any: the ticks that fell due meanwhile wait, late.
    void stall_until(std::int64_t moment);

    // The printed form of a target, as `print` shows it.
    std::string read(std::string_view target) const;
    std::string dump(std::string_view window = {}) const;

    // Each command with its arguments, as `run N` and `dump [WINDOW]`.
    static std::vector<std::string> command_usages();

private:
    struct Headless;
    void deliver_waiting_ticks();
    void wait_until(std::int64_t moment);

    std::unique_ptr<Headless> m_headless; // made first: the stage and clock below may be its own
    Stage& m_stage;
    VirtualClock& m_clock;
    Pace* m_pace = nullptr;
    bool m_answer_each_line = false;
};

// Why a script cannot go on. `ScriptRunner::run` catches it in one place and prints it, after
// "line N: " when it is about a line of the script, and exits with its status.
class ScriptError : public std::exception {
public:
    // A wrong line: exit status 2.
    explicit ScriptError(std::string message);
    // A stream that cannot be read or written: its name and the reason, exit status 2.
    static ScriptError stream(std::string_view name, std::string_view reason);

    char const* what() const noexcept override { return m_message.c_str(); }
    int exit_status() const { return m_exit_status; }
    bool about_a_line() const { return m_about_a_line; }

protected:
    ScriptError(std::string message, int exit_status, bool about_a_line);

private:
    std::string m_message;
    int m_exit_status;
    bool m_about_a_line;
};

// An `expect` line whose target printed something else: exit status 1.
class ExpectationFailed final : public ScriptError {
public:
    ExpectationFailed(std::string_view expected, std::string_view actual);
};

} // namespace tolvane
