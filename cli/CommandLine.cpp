#include "cli/CommandLine.h"

#include "cli/Version.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>
#include <iostream>
#include <ostream>
#include <sstream>

namespace tolvane {

namespace {

std::string option_column(Option const& option)
{
    std::string column = "    ";
    if (option.short_name)
        column = { '-', option.short_name, ',', ' ' };
    column += option.name;
    if (!option.argument.empty()) {
        column += ' ';
        column += option.argument;
    }
    return column;
}

} // namespace

class CommandLineParser {
public:
    CommandLineParser(Program const& program, std::ostream& out, std::ostream& errors)
        : m_program(program)
        , m_out(out)
        , m_errors(errors)
    { }

    ParsedCommandLine parse(std::span<char const* const> arguments)
    {
        for (std::size_t at = 0; at < arguments.size() && !m_exit; ++at) {
            std::string_view const argument = arguments[at];
            if (m_only_operands || argument == "-" || !argument.starts_with('-'))
                take_operand(argument);
            else if (argument == "--")
                m_only_operands = true;
            else
                take_option(argument, arguments, at);
        }
        if (m_exit)
            return { std::nullopt, *m_exit };
        return { std::move(m_command_line), 0 };
    }

private:
    Option const* find(std::string_view name) const
    {
        auto const& options = m_program.options;
        auto const found = std::find_if(options.begin(), options.end(), [&](Option const& option) {
            return option.name == name || (name.size() == 2 && name[0] == '-' && name[1] == option.short_name);
        });
        return found == options.end() ? nullptr : &*found;
    }

    void take_option(std::string_view argument, std::span<char const* const> arguments, std::size_t& at)
    {
        std::size_t const equals = argument.starts_with("--") ? argument.find('=') : std::string_view::npos;
        std::string_view const name = argument.substr(0, equals);
        Option const* const option = find(name);
        if (!option)
            return mistake("unknown option", name);
        if (option->argument.empty()) {
            if (equals != std::string_view::npos)
                return mistake("option", option->name, " takes no argument");
            return take_flag(*option);
        }
        if (equals != std::string_view::npos)
            return take_value(*option, argument.substr(equals + 1));
        if (at + 1 == arguments.size())
            return mistake("option", option->name, " needs an argument (" + std::string(option->argument) + ")");
        take_value(*option, arguments[++at]);
    }

    void take_flag(Option const& option)
    {
        if (option.name == help_option.name) {
            m_out << usage_text(m_program);
            m_exit = 0;
        } else if (option.name == version_option.name) {
            m_out << m_program.name << ' ' << project_version << '\n';
            m_exit = 0;
        } else {
            m_command_line.m_values[option.name] = {};
        }
    }

    void take_value(Option const& option, std::string_view value) { m_command_line.m_values[option.name] = value; }

    void take_operand(std::string_view argument)
    {
        if (m_command_line.m_operands.size() == m_program.most_operands)
            return mistake("unexpected argument", argument);
        m_command_line.m_operands.emplace_back(argument);
    }

    // One line: what is wrong, the argument it is about, and the way to the usage text.
    void mistake(std::string_view what, std::string_view argument, std::string_view more = {})
    {
        m_errors << m_program.name << ": " << what << ' ' << quoted(argument) << more << "; try --help\n";
        m_exit = 2;
    }

    Program const& m_program;
    std::ostream& m_out;
    std::ostream& m_errors;
    CommandLine m_command_line;
    bool m_only_operands = false;
    std::optional<int> m_exit;
};

std::optional<std::string> CommandLine::value(std::string_view option) const
{
    auto const found = m_values.find(option);
    if (found == m_values.end())
        return std::nullopt;
    return found->second;
}

std::string usage_text(Program const& program)
{
    std::ostringstream text;
    text << "Usage: " << program.name << " [OPTION]...";
    if (!program.operands.empty())
        text << ' ' << program.operands;
    text << '\n' << program.summary << "\n\nOptions:\n";
    std::size_t width = 0;
    for (Option const& option : program.options)
        width = std::max(width, option_column(option).size());
    for (Option const& option : program.options)
        text << "  " << std::left << std::setw(static_cast<int>(width + 2)) << option_column(option) << option.help
             << '\n';
    if (!program.epilogue.empty())
        text << '\n' << program.epilogue;
    return text.str();
}

ParsedCommandLine parse_command_line(
    Program const& program, std::span<char const* const> arguments, std::ostream& out, std::ostream& errors)
{
    return CommandLineParser(program, out, errors).parse(arguments);
}

ParsedCommandLine parse_command_line(Program const& program, int argc, char const* const* argv)
{
    auto const arguments = std::span(argv, static_cast<std::size_t>(argc)).subspan(1);
    return parse_command_line(program, arguments, std::cout, std::cerr);
}

} // namespace tolvane
