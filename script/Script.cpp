#include "script/Script.h"

#include "boxset/BoxSet.h"
#include "cli/CommandLine.h"
#include "script/LineReader.h"
#include "script/Properties.h"
#include "script/State.h"
#include "script/StopSignals.h"
#include "script/Targets.h"
#include "script/Words.h"
#include "stage/Numbers.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <functional>
#include <ostream>
#include <stdexcept>
#include <vector>

namespace tolvane {

ScriptError::ScriptError(std::string message)
    : ScriptError(std::move(message), 2, true)
{ }

ScriptError::ScriptError(std::string message, int exit_status, bool about_a_line)
    : m_message(std::move(message))
    , m_exit_status(exit_status)
    , m_about_a_line(about_a_line)
{ }

ScriptError ScriptError::stream(std::string_view name, std::string_view reason)
{
    std::string message = escaped(name);
    message += ": ";
    message += reason;
    return ScriptError(std::move(message), 2, false);
}

ExpectationFailed::ExpectationFailed(std::string_view expected, std::string_view actual)
    : ScriptError("expected " + std::string(expected) + ", got " + std::string(actual), 1, true)
{ }

namespace {

// A stop signal came: the run stops where it stands (see StopSignals.h).
struct StopAsked { };

// The most granules a run can pass from a clock at 0: any run that keeps the clock within its limit
// is taken, as any time within it is for `at`.
constexpr std::int64_t most_granules = ScriptRunner::clock_limit_us / Timer::granule_us;

// The clock after a run of `granules` from `now`, which stays within the clock's limit.
std::int64_t clock_after(std::int64_t now, std::int64_t granules)
{
    if (granules > (ScriptRunner::clock_limit_us - now) / Timer::granule_us)
        fail("a run of " + std::to_string(granules) + " granules would carry the clock past 2^62 microseconds");
    return now + granules * Timer::granule_us;
}

} // namespace

struct ScriptRunner::Headless {
    VirtualClock clock;
    Stage stage { clock };
};

ScriptRunner::ScriptRunner()
    : m_headless(std::make_unique<Headless>())
    , m_stage(m_headless->stage)
    , m_clock(m_headless->clock)
{
    add_box_set_windows(m_stage);
    m_stage.start(startup_window);
}

ScriptRunner::ScriptRunner(Stage& stage, VirtualClock& clock, Pace& pace)
    : m_stage(stage)
    , m_clock(clock)
    , m_pace(&pace)
{ }

ScriptRunner::~ScriptRunner() = default;

void ScriptRunner::run_granules(std::int64_t granules) { advance_to(clock_after(m_clock.now_us(), granules)); }

void ScriptRunner::wait_until(std::int64_t moment)
{
    if (m_pace)
        m_pace->wait_until(moment);
}

// A tick that waits late is one whose due time the clock has already passed (after a stall). It
// runs at the clock as it stands, which never moves back, and its timer goes on on its own grid.
void ScriptRunner::deliver_waiting_ticks()
{
    while (m_stage.deliver_next_tick())
        ;
}

void ScriptRunner::advance_to(std::int64_t moment)
{
    deliver_waiting_ticks();
    while (!m_stage.ended()) {
        auto const due = m_stage.next_due();
        if (!due || *due > moment)
            break;
        if (stop_signal())
            throw StopAsked {};
        wait_until(*due);
        m_clock.set(*due);
        m_stage.deliver_next_tick();
    }
    if (m_stage.ended())
        return;
    wait_until(moment);
    m_clock.set(moment);
}

void ScriptRunner::stall_until(std::int64_t moment)
{
    deliver_waiting_ticks();
    if (m_stage.ended())
        return;
    wait_until(moment);
    m_clock.set(moment);
}

std::string ScriptRunner::read(std::string_view target) const { return printed(resolve(m_stage, target).read()); }

std::string ScriptRunner::dump(std::string_view only) const { return dump_state(m_stage, only); }

namespace {

// What a line does once all of its words have been checked.
using Action = std::function<void()>;

Window& visible_window(Stage const& stage, std::string_view name)
{
    if (!stage.is_window(name))
        fail("unknown window " + quoted(name));
    Window* window = stage.find(name);
    if (!window || !window->visible())
        fail("window " + quoted(name) + " is not visible");
    return *window;
}

Action run_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    auto const granules = whole_number<std::int64_t>(words.required("a number of granules"), 0, most_granules, "count");
    words.finish();
    clock_after(runner.clock_us(), granules);
    return [&runner, granules] { runner.run_granules(granules); };
}

// A moment for `at` and `stall`: a whole number of microseconds, not before the clock and not
// past its limit.
std::int64_t moment_word(ScriptRunner const& runner, Words& words)
{
    std::string_view const word = words.required("a time in microseconds");
    words.finish();
    auto const moment = whole_number<std::int64_t>(word, 0, ScriptRunner::clock_limit_us, "time");
    if (moment < runner.clock_us())
        fail("time " + quoted(word) + " is before the clock, which stands at " + std::to_string(runner.clock_us()));
    return moment;
}

Action at_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    std::int64_t const moment = moment_word(runner, words);
    return [&runner, moment] { runner.advance_to(moment); };
}

Action stall_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    std::int64_t const moment = moment_word(runner, words);
    return [&runner, moment] { runner.stall_until(moment); };
}

Action key_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    int const code = whole_number<int>(words.required("a key code"), 0, 65535, "key code");
    words.finish();
    return [&runner, code] { runner.stage().key_down(code); };
}

Sprite& clickable_sprite(Window const& window, std::string_view name)
{
    if (name == "Timer1")
        fail("a timer cannot be clicked");
    Sprite* sprite = window.sprite(name);
    if (!sprite)
        fail("window " + quoted(window.name()) + " has no sprite " + quoted(name));
    return *sprite;
}

// A press and a release at the centre of the sprite, through the ordinary routing.
Action click_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    std::string_view const window_name = words.required("a WINDOW");
    Window& window = visible_window(runner.stage(), window_name);
    std::string_view const name = words.required("a SPRITE");
    words.finish();
    Sprite const& sprite = clickable_sprite(window, name);
    double const x = sprite.Left + sprite.Width / 2;
    double const y = sprite.Top + sprite.Height / 2;
    return [&runner, &window, window_name, x, y] {
        Stage& stage = runner.stage();
        stage.mouse_press(window, x, y, 1);
        stage.mouse_release(stage.find(window_name), x, y, 1);
    };
}

// The words after `press` and `release`: the point and the button, 1 when none is given.
struct MouseWords {
    double x;
    double y;
    int button;
};

MouseWords mouse_words(Words& words)
{
    double const x = decimal_number(words.required("X"), "coordinate");
    double const y = decimal_number(words.required("Y"), "coordinate");
    std::string_view const button = words.next();
    words.finish();
    return { x, y, button.empty() ? 1 : whole_number<int>(button, 1, 3, "button") };
}

Action press_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    Window& window = visible_window(runner.stage(), words.required("a WINDOW"));
    MouseWords const mouse = mouse_words(words);
    return [&runner, &window, mouse] { runner.stage().mouse_press(window, mouse.x, mouse.y, mouse.button); };
}

// A release needs no visible window, nor a loaded one: it goes to whatever took the press.
Action release_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    std::string_view const name = words.required("a WINDOW");
    if (!runner.stage().is_window(name))
        fail("unknown window " + quoted(name));
    Window* window = runner.stage().find(name);
    MouseWords const mouse = mouse_words(words);
    return [&runner, window, mouse] { runner.stage().mouse_release(window, mouse.x, mouse.y, mouse.button); };
}

Action close_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    Window& window = visible_window(runner.stage(), words.required("a WINDOW"));
    words.finish();
    return [&runner, &window] { runner.stage().close(window); };
}

Action resize_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    Window& window = visible_window(runner.stage(), words.required("a WINDOW"));
    int const width = whole_number<int>(words.required("W"), 0, 1'000'000'000, "width");
    int const height = whole_number<int>(words.required("H"), 0, 1'000'000'000, "height");
    words.finish();
    return [&runner, &window, width, height] { runner.stage().resize(window, width, height); };
}

// The range is checked before the value is rounded to a float, which a value far out of it
// would not survive; a value just below 1 can round up to 1 and is refused like 1 itself.
float random_value(std::string_view word)
{
    double const value = decimal_number(word, "random value");
    if (!(value >= 0 && value < 1 && static_cast<float>(value) < 1))
        fail("bad random value " + quoted(word) + ": expected at least 0 and below 1");
    return static_cast<float>(value);
}

// The desktop gives the keyboard to a visible window without a click in it.
Action activate_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    Window& window = visible_window(runner.stage(), words.required("a WINDOW"));
    words.finish();
    return [&runner, &window] { runner.stage().focus_window(window); };
}

Action rnd_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    std::deque<float> values;
    for (std::string_view word = words.next(); !word.empty(); word = words.next())
        values.push_back(random_value(word));
    return [&runner, values] { runner.stage().random().queue(values); };
}

Action set_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    auto const [text, written] = words.target_and_value();
    Target const target = resolve(runner.stage(), text);
    if (!target.write)
        fail(target.read_only);
    Value const value = target.parse(written);
    return [&runner, target, value] { target.write(runner.stage(), value); };
}

Action print_command(ScriptRunner& runner, Words& words, std::ostream& out)
{
    std::string_view const text = words.required("a TARGET");
    words.finish();
    Target const target = resolve(runner.stage(), text);
    return [target, &out] { out << printed(target.read()) << '\n'; };
}

Action dump_command(ScriptRunner& runner, Words& words, std::ostream& out)
{
    std::string_view const window = words.next();
    words.finish();
    if (!window.empty() && !runner.stage().is_window(window))
        fail("unknown window " + quoted(window));
    return [&runner, window, &out] { out << runner.dump(window) << '\n'; };
}

Action expect_command(ScriptRunner& runner, Words& words, std::ostream&)
{
    auto const [text, value] = words.target_and_value();
    Target const target = resolve(runner.stage(), text);
    std::string_view const expected = value; // a name of its own: clang 14 cannot capture a structured binding
    return [target, expected] {
        std::string const actual = printed(target.read());
        if (actual != expected)
            throw ExpectationFailed(expected, actual);
    };
}

// One command of the language: its name, its arguments as docs/scripting.md writes them, and
// how a line of it is checked. Checking reads every word and looks up every name; the action
// it returns is all that the line does. Once the program has ended, only the commands that
// observe still act, but every line is checked all the same.
struct CommandRow {
    std::string_view name;
    std::string_view arguments;
    bool observes;
    Action (*check)(ScriptRunner&, Words&, std::ostream& out);
};

constexpr CommandRow commands[] = {
    { "run", "N", false, run_command },
    { "key", "CODE", false, key_command },
    { "click", "WINDOW SPRITE", false, click_command },
    { "press", "WINDOW X Y [BUTTON]", false, press_command },
    { "release", "WINDOW X Y [BUTTON]", false, release_command },
    { "close", "WINDOW", false, close_command },
    { "resize", "WINDOW W H", false, resize_command },
    { "activate", "WINDOW", false, activate_command },
    { "at", "US", false, at_command },
    { "stall", "US", false, stall_command },
    { "rnd", "V1 V2 ...", false, rnd_command },
    { "set", "TARGET VALUE", false, set_command },
    { "print", "TARGET", true, print_command },
    { "dump", "[WINDOW]", true, dump_command },
    { "expect", "TARGET VALUE", true, expect_command },
};

CommandRow const& command_named(std::string_view name)
{
    if (CommandRow const* command = find_row(commands, name))
        return *command;
    fail("unknown command " + quoted(name));
}

} // namespace

std::vector<std::string> ScriptRunner::command_usages()
{
    std::vector<std::string> usages;
    for (CommandRow const& command : commands)
        usages.push_back(std::string(command.name) + " " + std::string(command.arguments));
    return usages;
}

void ScriptRunner::execute(std::string_view line, std::ostream& out)
{
    if (auto const at = invalid_utf8_at(line))
        fail("not valid UTF-8 (byte " + std::to_string(*at + 1) + ")");
    Words words(line);
    if (words.command().empty() || words.command().front() == '#')
        return;
    CommandRow const& command = command_named(words.command());
    Action const action = command.check(*this, words, out);
    if (command.observes || !m_stage.ended())
        action();
}

namespace {

// A stream that failed reports errno's reason when the failing call left one.
std::string reason_for(int error) { return error != 0 ? std::strerror(error) : "input/output error"; }

// Checks what has been written so far; a full disk or a closed pipe shows once the stream's
// buffer is written out, here or at the final flush.
void check_written(std::ostream& out)
{
    if (!out)
        throw ScriptError::stream("standard output", reason_for(errno));
}

void flush_written(std::ostream& out)
{
    errno = 0;
    out.flush();
    check_written(out);
}

// Everything printed before the failing line goes out before the message about it; output that
// cannot be written then is reported too.
int report(ScriptError const& error, long line, std::ostream& out, std::ostream& errors)
{
    bool const writable = out.good();
    errno = 0;
    if (writable)
        out.flush();
    int const flush_error = errno;
    if (error.about_a_line())
        errors << "line " << line << ": ";
    errors << error.what() << '\n';
    if (writable && !out) {
        errors << "standard output: " << reason_for(flush_error) << '\n';
        return 2;
    }
    return error.exit_status();
}

} // namespace

int ScriptRunner::run(std::istream& script, std::ostream& out, std::ostream& errors, std::string_view script_name)
{
    // All that was printed is written out before the runner waits for more of the script: a program
    // that drives it line by line gets each answer before it sends the next line.
    LineReader reader(script, script_name, [&out] { flush_written(out); });
    try {
        while (auto const line = reader.next()) {
            errno = 0;
            if (stop_signal())
                throw StopAsked {};
            execute(*line, out);
            check_written(out);
            if (m_answer_each_line)
                flush_written(out);
        }
        flush_written(out);
        return 0;
    } catch (StopAsked const&) {
        out.flush();
        end_by_signal(stop_signal());
    } catch (ScriptError const& error) {
        return report(error, reader.number(), out, errors);
    } catch (std::exception const& failure) {
        // A failure that the program's own code let out of a handler shows as the line that ran
        // into it rather than as a crash.
        return report(ScriptError(std::string("the program failed: ") + failure.what()), reader.number(), out, errors);
    }
}

} // namespace tolvane
