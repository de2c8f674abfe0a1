#include "cli/CommandLine.h"
#include "cli/Version.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <vector>

namespace tolvane {
namespace {

constexpr std::array options { help_option, version_option, Option { "--record", "FILE", "write a journal" },
    Option { "--mute", "", "start without sound" } };

constexpr Program program {
    .name = "game",
    .operands = "[FILE]",
    .summary = "Plays a game.",
    .options = options,
    .epilogue = {},
    .most_operands = 1,
};

struct Outcome {
    ParsedCommandLine parsed;
    std::string out;
    std::string errors;
};

Outcome parse(std::vector<char const*> const& arguments)
{
    std::ostringstream out;
    std::ostringstream errors;
    Outcome outcome { parse_command_line(program, arguments, out, errors), {}, {} };
    outcome.out = out.str();
    outcome.errors = errors.str();
    return outcome;
}

TEST(CommandLine, ReadsOptionsAndOperands)
{
    for (auto const& arguments : std::vector<std::vector<char const*>> {
             { "--record", "j.txt", "--mute", "play.script" },
             { "--record=j.txt", "play.script", "--mute" },
             { "--mute", "--record", "old.txt", "--record", "j.txt", "--", "play.script" },
         }) {
        Outcome const outcome = parse(arguments);
        ASSERT_TRUE(outcome.parsed.command_line) << outcome.errors;
        CommandLine const& line = *outcome.parsed.command_line;
        EXPECT_EQ(line.value("--record"), "j.txt");
        EXPECT_TRUE(line.has("--mute"));
        EXPECT_EQ(line.operands(), std::vector<std::string> { "play.script" });
        EXPECT_EQ(outcome.out + outcome.errors, "");
    }
}

TEST(CommandLine, TakesDashAndDashedNamesAsOperandsWhereTheyAreOperands)
{
    EXPECT_EQ(parse({ "-" }).parsed.command_line->operands(), std::vector<std::string> { "-" });
    EXPECT_EQ(parse({ "--", "--mute" }).parsed.command_line->operands(), std::vector<std::string> { "--mute" });
    EXPECT_FALSE(parse({}).parsed.command_line->has("--mute"));
}

TEST(CommandLine, HelpAndVersionEndTheRunWithStatusZero)
{
    for (char const* help : { "--help", "-h" }) {
        Outcome const outcome = parse({ "--mute", help, "--unknown" });
        EXPECT_FALSE(outcome.parsed.command_line);
        EXPECT_EQ(outcome.parsed.exit_status, 0);
        EXPECT_EQ(outcome.out, usage_text(program));
        EXPECT_EQ(outcome.errors, "");
    }
    Outcome const version = parse({ "--version" });
    EXPECT_EQ(version.parsed.exit_status, 0);
    EXPECT_EQ(version.out, std::string("game ") + project_version + "\n");
}

TEST(CommandLine, UsageListsEveryOptionOnOneLine)
{
    EXPECT_EQ(usage_text(program),
        "Usage: game [OPTION]... [FILE]\n"
        "Plays a game.\n"
        "\n"
        "Options:\n"
        "  -h, --help         show this help and exit\n"
        "      --version      show the program's name and version and exit\n"
        "      --record FILE  write a journal\n"
        "      --mute         start without sound\n");
}

TEST(CommandLine, AMistakeIsOneLineNamingItAndStatusTwo)
{
    struct Case {
        std::vector<char const*> arguments;
        std::string message;
    };
    std::string const long_option = "--" + std::string(100, 'x');
    for (Case const& mistake : std::vector<Case> {
             { { "--frob" }, "game: unknown option '--frob'; try --help\n" },
             { { "-x" }, "game: unknown option '-x'; try --help\n" },
             { { "--frob=1" }, "game: unknown option '--frob'; try --help\n" },
             { { "--record" }, "game: option '--record' needs an argument (FILE); try --help\n" },
             { { "--mute=yes" }, "game: option '--mute' takes no argument; try --help\n" },
             { { "a", "b" }, "game: unexpected argument 'b'; try --help\n" },
             { { "--\x1b[2J" }, "game: unknown option '--\\x1b[2J'; try --help\n" },
             { { long_option.c_str() }, "game: unknown option '" + long_option.substr(0, 80) + "...'; try --help\n" },
         }) {
        Outcome const outcome = parse(mistake.arguments);
        EXPECT_FALSE(outcome.parsed.command_line);
        EXPECT_EQ(outcome.parsed.exit_status, 2);
        EXPECT_EQ(outcome.errors, mistake.message);
        EXPECT_EQ(outcome.out, "");
    }
}

} // namespace
} // namespace tolvane
