#include "boxset/BoxSet.h"
#include "cli/CommandLine.h"
#include "cli/Version.h"
#include "desktop/Platform.h"
#include "desktop/ReplayScript.h"
#include "desktop/Session.h"
#include "play/Journal.h"
#include "play/Scale.h"
#include "script/Script.h"
#include "script/ScriptFile.h"
#include "script/State.h"

#include <array>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The design's program takes no arguments; these options are the desktop's additions, and without
// any the box set plays exactly as designed.
constexpr std::array options {
    tolvane::help_option,
    tolvane::version_option,
    tolvane::Option { "--record", "FILE", "write the journal of the session to FILE, a script that replays it" },
    tolvane::Option { "--replay", "FILE", "play the script or journal FILE on the windows; your own input is ignored" },
    tolvane::Option { "--speed", "X", "with --replay, let time pass X times as fast (0.01 to 1000, default 1)" },
    tolvane::Option { "--mute", "", "start with sound off (Ctrl+M turns it on and off)" },
    tolvane::Option { "--scale", "F", "draw the windows F times as large (0.5 to 4; default: the desktop's own)" },
};

constexpr double slowest = 0.01;
constexpr double fastest = 1000;

constexpr tolvane::Program tolvane_program {
    .name = "tolvane",
    .operands = {},
    .summary = "Plays the Tolvane box set: three small arcade games, each in windows of its own.",
    .options = options,
    .epilogue = "Playing: the arrow keys move the frog and the cannon, Space fires and presses the button that\n"
                "has the keyboard, and in Skyhaul a held mouse button climbs. The Pause key pauses the whole\n"
                "box set and resumes it. Ctrl+M turns sound off and on in every window, and the choice is kept\n"
                "for the next run. Closing the last window ends the box set. See tolvane(6).\n",
};

// A message may hold what the user typed, such as a file's name: it is escaped for the terminal.
int refuse(std::string const& message)
{
    std::cerr << "tolvane: " << tolvane::escaped(message) << '\n';
    return 2;
}

// The scale given, checked already by `play`; none leaves it to the desktop.
std::optional<double> chosen_scale(tolvane::CommandLine const& command_line)
{
    auto const text = command_line.value("--scale");
    return text ? tolvane::scale_of(*text) : std::nullopt;
}

// The journal is opened once the display is, before any window: a file that cannot be written is
// said at once, and one that a program that could not start would only have emptied is left alone.
int record(tolvane::CommandLine const& command_line)
{
    tolvane::Session session;
    session.scale = chosen_scale(command_line);
    session.muted = command_line.has("--mute");
    if (auto const path = command_line.value("--record"))
        session.open_journal = [path = *path](std::string& error) {
            return tolvane::Journal::open(path, tolvane::project_version, error);
        };
    session.state = [](tolvane::Stage const& stage) { return tolvane::dump_state(stage); };
    return tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, session);
}

std::optional<double> speed_of(std::string const& text)
{
    auto const speed = tolvane::number_of(text);
    if (!speed || !(*speed >= slowest) || !(*speed <= fastest))
        return std::nullopt;
    return speed;
}

// The script's time commands wait on the real windows.
class DesktopPace final : public tolvane::Pace {
public:
    explicit DesktopPace(tolvane::Replay& replay)
        : m_replay(replay)
    { }
    void wait_until(std::int64_t moment_us) override { m_replay.wait_until(moment_us); }

private:
    tolvane::Replay& m_replay;
};

// The script to replay, opened before any window so that one that cannot be read (a folder among
// them) is said at once: standard input for "-", as for tolvane-script, else the file. Its
// descriptor, or -1 with the reason in `error`.
int open_script(std::string const& path, std::string& error)
{
#ifdef O_CLOEXEC
    int const descriptor = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
#else
    int const descriptor = path == "-" ? STDIN_FILENO : ::open(path.c_str(), O_RDONLY);
#endif
    struct stat status { };
    if (descriptor < 0 || fstat(descriptor, &status) != 0)
        error = std::strerror(errno);
    else if (S_ISDIR(status.st_mode))
        error = std::strerror(EISDIR);
    if (!error.empty() && descriptor > STDIN_FILENO)
        ::close(descriptor);
    return error.empty() ? descriptor : -1;
}

int replay(tolvane::CommandLine const& command_line, std::string const& path)
{
    double speed = 1;
    if (auto const text = command_line.value("--speed")) {
        auto const given = speed_of(*text);
        if (!given)
            return refuse("bad --speed " + tolvane::quoted(*text) + ": expected a number from 0.01 to 1000");
        speed = *given;
    }
    std::string error;
    int const script = open_script(path, error);
    std::string const name = path == "-" ? "standard input" : path;
    if (script < 0)
        return refuse(name + ": " + error);
    tolvane::Session session;
    session.scale = chosen_scale(command_line);
    session.muted = command_line.has("--mute");
    session.replay = [&](tolvane::Replay& on_desktop) {
        DesktopPace pace(on_desktop);
        tolvane::ReplayScript lines(script, on_desktop);
        std::istream in(&lines);
        tolvane::ScriptRunner runner(on_desktop.stage(), on_desktop.clock(), pace);
        runner.answer_each_line(!tolvane::is_a_file(STDOUT_FILENO));
        return runner.run(in, std::cout, std::cerr, name);
    };
    session.speed = speed;
    return tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, session);
}

int play(tolvane::CommandLine const& command_line)
{
    auto const script = command_line.value("--replay");
    if (script && command_line.has("--record"))
        return refuse("--record and --replay cannot be used together: a replay is recorded already");
    if (!script && command_line.has("--speed"))
        return refuse("--speed goes with --replay");
    if (auto const scale = command_line.value("--scale"); scale && !tolvane::scale_of(*scale))
        return refuse("bad --scale " + tolvane::quoted(*scale) + ": expected a number from 0.5 to 4");
    return script ? replay(command_line, *script) : record(command_line);
}

} // namespace

int main(int argc, char** argv)
{
    // A reader of the journal or of a replay's answers that went away makes a write fail with EPIPE,
    // which the program reports and plays on past, rather than killing it with SIGPIPE (which
    // Windows does not have).
#ifdef SIGPIPE
    std::signal(SIGPIPE, SIG_IGN);
#endif
    tolvane::attach_to_the_starting_console();
    auto const parsed = tolvane::parse_command_line(tolvane_program, argc, argv);
    if (!parsed.command_line)
        return parsed.exit_status;
    return play(*parsed.command_line);
}
