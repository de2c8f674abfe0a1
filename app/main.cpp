#include "boxset/BoxSet.h"
#include "cli/CommandLine.h"
#include "shell/Shell.h"

#include <array>

namespace {

// The design's program takes no arguments; these options are the desktop's additions, and without
// any the box set plays exactly as designed.
constexpr std::array options { tolvane::help_option, tolvane::version_option };

constexpr tolvane::Program tolvane_program {
    .name = "tolvane",
    .operands = {},
    .summary = "Plays the Tolvane box set: three small arcade games, each in windows of its own.",
    .options = options,
    .epilogue = "Playing: the arrow keys move the frog and the cannon, Space fires and presses the button that\n"
                "has the keyboard, and in Skyhaul a held mouse button climbs. The Pause key pauses the whole\n"
                "box set and resumes it. Closing the last window ends the box set. See tolvane(6).\n",
};

} // namespace

int main(int argc, char** argv)
{
    auto const parsed = tolvane::parse_command_line(tolvane_program, argc, argv);
    if (!parsed.command_line)
        return parsed.exit_status;
    return tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window);
}
