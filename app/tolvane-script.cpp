#include "cli/CommandLine.h"
#include "script/ScriptFile.h"

#include <array>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

constexpr std::array options { tolvane::help_option, tolvane::version_option };

constexpr tolvane::Program script_program {
    .name = "tolvane-script",
    .operands = "[FILE]",
    .summary = "Plays a script of the Tolvane box set without a display, from FILE, or from standard input\n"
               "when FILE is absent or \"-\".",
    .options = options,
    .epilogue = "Exit status: 0 when the script ran to its end, 1 when an expect line failed, 2 when a line\n"
                "was wrong or the script could not be read or its output written. See tolvane-script(1).\n",
    .most_operands = 1,
};

} // namespace

int main(int argc, char** argv)
{
#ifdef _WIN32
    // What the runner prints is read by programs, and the same on every system: lines end in a
    // line feed alone, where Windows' C library would write a carriage return before each.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    auto const parsed = tolvane::parse_command_line(script_program, argc, argv);
    if (!parsed.command_line)
        return parsed.exit_status;
    auto const& operands = parsed.command_line->operands();
    return tolvane::play_script(operands.empty() ? "-" : operands.front());
}
