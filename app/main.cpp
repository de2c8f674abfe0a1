#include "boxset/BoxSet.h"
#include "cli/CommandLine.h"
#include "cli/Version.h"
#include "shell/Journal.h"
#include "shell/Shell.h"
#include "tools/script/Script.h"

#include <array>
#include <iostream>
#include <memory>
#include <string>

namespace {

// The design's program takes no arguments; these options are the desktop's additions, and without
// any the box set plays exactly as designed.
constexpr std::array options {
    tolvane::help_option,
    tolvane::version_option,
    tolvane::Option { "--record", "FILE", "write the journal of the session to FILE, a script that replays it" },
};

constexpr tolvane::Program tolvane_program {
    .name = "tolvane",
    .operands = {},
    .summary = "Plays the Tolvane box set: three small arcade games, each in windows of its own.",
    .options = options,
    .epilogue = "Playing: the arrow keys move the frog and the cannon, Space fires and presses the button that\n"
                "has the keyboard, and in Skyhaul a held mouse button climbs. Closing the last window ends the\n"
                "box set. See tolvane(6).\n",
};

// The journal is opened before any window, so that a file that cannot be written is said at once.
int play(tolvane::CommandLine const& command_line)
{
    std::unique_ptr<tolvane::Journal> journal;
    if (auto const path = command_line.value("--record")) {
        std::string error;
        journal = tolvane::Journal::open(*path, tolvane::project_version, error);
        if (!journal) {
            std::cerr << "tolvane: cannot record: " << error << '\n';
            return 2;
        }
    }
    tolvane::Session const session {
        .journal = journal.get(),
        .state = [](tolvane::Stage const& stage) { return tolvane::dump_state(stage); },
    };
    return tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, session);
}

} // namespace

int main(int argc, char** argv)
{
    auto const parsed = tolvane::parse_command_line(tolvane_program, argc, argv);
    if (!parsed.command_line)
        return parsed.exit_status;
    return play(*parsed.command_line);
}
