#include "boxset/BoxSet.h"
#include "cli/CommandLine.h"
#include "shell/Shell.h"

#include <array>

namespace {

// The design's program takes no arguments; these options are the desktop's additions, and without
// any the box set plays exactly as designed.
constexpr tolvane::Option mute_option { "--mute", "", "start with sound off (Ctrl+M turns it on and off)" };
constexpr std::array options { tolvane::help_option, tolvane::version_option, mute_option };

constexpr tolvane::Program tolvane_program {
    .name = "tolvane",
    .operands = {},
    .summary = "Plays the Tolvane box set: three small arcade games, each in windows of its own.",
    .options = options,
    .epilogue = "Playing: the arrow keys move the frog and the cannon, Space fires and presses the button that\n"
                "has the keyboard, and in Skyhaul a held mouse button climbs. Ctrl+M turns sound off and on in\n"
                "every window, and the choice is kept for the next run. Closing the last window ends the box set.\n"
                "See tolvane(6).\n",
};

} // namespace

int main(int argc, char** argv)
{
    auto const parsed = tolvane::parse_command_line(tolvane_program, argc, argv);
    if (!parsed.command_line)
        return parsed.exit_status;
    bool const muted = parsed.command_line->has(mute_option.name);
    return tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window, nullptr, muted);
}
