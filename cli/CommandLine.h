#pragma once

#include "cli/Quoting.h"

#include <iosfwd>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// One option of a program's command line: a row of its table, which both the parser and the
// usage text read, so that an option is added in one place.
struct Option {
    std::string_view name; // "--record"
    std::string_view argument; // "FILE", or empty for an option that takes none
    std::string_view help; // one line, for the usage text
    char short_name = 0; // 'h' for "-h", or 0
};

// What a program says of itself in its usage text, and the options it takes.
struct Program {
    std::string_view name;
    std::string_view operands; // "[FILE]", or empty for a program that takes none
    std::string_view summary; // one line under the usage line
    std::span<Option const> options;
    std::string_view epilogue; // lines after the options, or empty
    std::size_t most_operands = 0;
};

// `--help` and `--version`, which every program takes; a program lists them in its own table.
inline constexpr Option help_option { "--help", "", "show this help and exit", 'h' };
inline constexpr Option version_option { "--version", "", "show the program's name and version and exit" };

// A command line as the program was given it.
class CommandLine {
public:
    bool has(std::string_view option) const { return m_values.contains(option); }
    // The argument of an option given with one; the last one counts when an option is repeated.
    std::optional<std::string> value(std::string_view option) const;
    std::vector<std::string> const& operands() const { return m_operands; }

private:
    friend class CommandLineParser;
    std::map<std::string_view, std::string, std::less<>> m_values;
    std::vector<std::string> m_operands;
};

// Reads a command line against the program's table. `--help` prints the usage text and `--version`
// the name and version on `out`; an unknown option, a missing argument or one operand too many is
// one line on `errors` that names it and says to try --help. In those cases the result is the
// status the program exits with (0 after help or version, 2 after a mistake); otherwise it is the
// command line, and the program goes on.
struct ParsedCommandLine {
    std::optional<CommandLine> command_line;
    int exit_status = 0;
};
ParsedCommandLine parse_command_line(
    Program const& program, std::span<char const* const> arguments, std::ostream& out, std::ostream& errors);
// The same for the arguments of `main`, with help on standard output and mistakes on standard error.
ParsedCommandLine parse_command_line(Program const& program, int argc, char const* const* argv);

std::string usage_text(Program const& program);

} // namespace tolvane
