#include "script/Script.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <fstream>
#include <limits>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string_view>

namespace tolvane {
namespace {

struct Outcome {
    int status;
    std::string out;
    std::string errors;
};

Outcome play(std::string const& script)
{
    ScriptRunner runner;
    std::istringstream in(script);
    std::ostringstream out;
    std::ostringstream errors;
    int const status = runner.run(in, out, errors);
    return { status, out.str(), errors.str() };
}

// Every wrong line stops the run with its number and what is wrong, and exit status 2.
TEST(ScriptErrors, EachBadLineIsReportedWithItsNumber)
{
    struct Case {
        char const* line;
        char const* message;
    };
    Case const cases[] = {
        { "jump 3", "line 2: unknown command 'jump'\n" },
        { "print Nowhere.Visible", "line 2: unknown window 'Nowhere'\n" },
        { "print Mainform.imgFrog.Left", "line 2: window 'Mainform' has no sprite 'imgFrog'\n" },
        { "print Mainform.Label1.Colour", "line 2: sprite 'Label1' (Label) has no property 'Colour'\n" },
        { "print Mainform.Image1.Caption", "line 2: sprite 'Image1' (Image) has no property 'Caption'\n" },
        { "print Mainform.Speed", "line 2: window 'Mainform' has no variable 'Speed'\n" },
        { "print Pondleap1.Width", "line 2: window 'Pondleap1' is not loaded\n" },
        { "click Pondleap2 Image1", "line 2: window 'Pondleap2' is not visible\n" },
        { "click Mainform Timer1", "line 2: a timer cannot be clicked\n" },
        { "run -1", "line 2: bad count '-1': expected a whole number from 0 to 295147905179352\n" },
        { "run 2.5", "line 2: bad count '2.5': expected a whole number from 0 to 295147905179352\n" },
        { "run 295147905179353",
            "line 2: bad count '295147905179353': expected a whole number from 0 to 295147905179352\n" },
        { "key 70000", "line 2: bad key code '70000': expected a whole number from 0 to 65535\n" },
        { "press Mainform 1x 2", "line 2: bad coordinate '1x': expected a decimal number\n" },
        { "press Mainform 1 2 4", "line 2: bad button '4': expected a whole number from 1 to 3\n" },
        { "rnd 0.5 1", "line 2: bad random value '1': expected at least 0 and below 1\n" },
        { "set Mainform.Label1.Visible maybe", "line 2: bad value 'maybe': expected True or False\n" },
        { "set Mainform.Width 5", "line 2: window field 'Width' cannot be set\n" },
        { "expect Mainform.Visible", "line 2: expect needs a VALUE after 'Mainform.Visible'\n" },
        { "run", "line 2: run needs a number of granules\n" },
        { "run 1 2", "line 2: too many words for 'run'\n" },
        { "resize Mainform 10", "line 2: resize needs H\n" },
        { "at", "line 2: at needs a time in microseconds\n" },
        { "at 4611686018427387905",
            "line 2: bad time '4611686018427387905': expected a whole number from 0 to 4611686018427387904\n" },
        { "stall -1", "line 2: bad time '-1': expected a whole number from 0 to 4611686018427387904\n" },
        { "stall 1.5", "line 2: bad time '1.5': expected a whole number from 0 to 4611686018427387904\n" },
        { "at 5 6", "line 2: too many words for 'at'\n" },
        { "activate Pondleap2", "line 2: window 'Pondleap2' is not visible\n" },
        { "activate Nowhere", "line 2: unknown window 'Nowhere'\n" },
        { "print program.speed", "line 2: unknown program value 'speed': expected ended, active or clock\n" },
        { "print Mainform", "line 2: bad target 'Mainform': expected WINDOW.FIELD or WINDOW.SPRITE.PROPERTY\n" },
    };
    for (auto const& c : cases) {
        Outcome const outcome = play(std::string("# a comment\n") + c.line + "\nprint program.clock\n");
        EXPECT_EQ(outcome.status, 2) << c.line;
        EXPECT_EQ(outcome.errors, c.message) << c.line;
        EXPECT_EQ(outcome.out, "") << c.line;
    }
}

// `at` and `stall` never move the clock back, and a refused line moves nothing.
TEST(ScriptErrors, ATimeBeforeTheClockIsRefused)
{
    for (char const* command : { "at", "stall" }) {
        Outcome const outcome = play(std::string("run 1\n") + command + " 15624\nprint program.clock\n");
        EXPECT_EQ(outcome.status, 2) << command;
        EXPECT_EQ(outcome.errors, "line 2: time '15624' is before the clock, which stands at 15625\n") << command;
    }
    Outcome const at_the_limit = play("stall 4611686018427387904\nrun 0\nprint program.clock\nrun 1\n");
    EXPECT_EQ(at_the_limit.out, "4611686018427387904\n");
    EXPECT_EQ(at_the_limit.status, 2);
}

TEST(ScriptErrors, AFailedExpectationExitsWithOne)
{
    Outcome const outcome = play("\n  expect Mainform.Caption Tolvane box set\nexpect Mainform.Width 11000\nrun 1\n");
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.errors, "line 3: expected 11000, got 11610\n");
}

TEST(ScriptErrors, LinesAreStillCheckedAfterTheProgramEnded)
{
    Outcome const ended = play("close Mainform\nrun 5\nprint program.ended\nprint program.clock\nbogus\n");
    EXPECT_EQ(ended.status, 2);
    EXPECT_EQ(ended.out, "True\n0\n");
    EXPECT_EQ(ended.errors, "line 5: unknown command 'bogus'\n");
}

TEST(ScriptErrors, DumpIsOneLineOfJson)
{
    Outcome const outcome = play("dump Pondleap1\ndump Mainform\n");
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out.substr(0, outcome.out.find('\n')),
        R"({"clock":0,"ended":false,"active":"Mainform","windows":{"Pondleap1":{"loaded":false}}})");
    EXPECT_NE(outcome.out.find(R"("Label1":{"kind":"Label","Left":3480,"Top":120,"Width":3015,"Height":375,)"
                               R"("Visible":true,"Enabled":true,"Caption":"Tolvane Box set","FontSize":13.5,)"
                               R"("ForeColor":0,"BackColor":16777215})"),
        std::string::npos);
}

// Plays `line` as line 2 of a script and checks the error that it stops with.
void expect_line_error(std::string const& line, std::string const& message)
{
    Outcome const outcome = play("# a comment\n" + line + "\nprint program.clock\n");
    EXPECT_EQ(outcome.status, 2) << line;
    EXPECT_EQ(outcome.errors, "line 2: " + message + "\n") << line;
    EXPECT_EQ(outcome.out, "") << line;
}

TEST(ScriptErrors, TheClockStopsShortOfTwoToTheSixtySecondMicroseconds)
{
    std::string script;
    for (int line = 1; line <= 296; ++line)
        script += "run 1000000000000\n";
    Outcome const outcome = play(script);
    EXPECT_EQ(outcome.status, 2);
    EXPECT_EQ(
        outcome.errors, "line 296: a run of 1000000000000 granules would carry the clock past 2^62 microseconds\n");

    // One run may take the clock to its limit, as one `at` may.
    Outcome const longest = play("run 295147905179352\nprint program.clock\nrun 1\n");
    EXPECT_EQ(longest.out, "4611686018427375000\n");
    EXPECT_EQ(longest.errors, "line 3: a run of 1 granules would carry the clock past 2^62 microseconds\n");

    ScriptRunner runner;
    runner.run_granules(295'000'000'000'000);
    EXPECT_THROW(runner.run_granules(1'000'000'000'000), ScriptError);
    EXPECT_EQ(runner.clock_us(), 295'000'000'000'000 * Timer::granule_us);
}

// A line with no end is given up at 1 MiB: the runner neither keeps it nor reads on.
TEST(ScriptErrors, ALineLongerThanOneMebibyteStopsTheRun)
{
    // 64 MiB of zero bytes without a newline, counting how much of it was taken.
    class Zeros : public std::streambuf {
    public:
        std::size_t taken = 0;

    private:
        int_type underflow() override
        {
            if (taken >= (std::size_t { 64 } << 20))
                return traits_type::eof();
            taken += m_block.size();
            setg(m_block.data(), m_block.data(), m_block.data() + m_block.size());
            return 0;
        }
        std::array<char, 4096> m_block {};
    } zeros;
    std::istream in(&zeros);
    std::ostringstream out;
    std::ostringstream errors;
    EXPECT_EQ(ScriptRunner().run(in, out, errors), 2);
    EXPECT_EQ(errors.str(), "line 1: longer than 1 MiB (1048576 bytes)\n");
    EXPECT_LE(zeros.taken, (std::size_t { 1 } << 20) + 4096);

    std::string const longest = "#" + std::string((1 << 20) - 1, 'x');
    EXPECT_EQ(play(longest + "\r\nprint program.clock\n").out, "0\n");
    EXPECT_EQ(play(longest + "x\nprint program.clock\n").errors, "line 1: longer than 1 MiB (1048576 bytes)\n");
}

TEST(ScriptErrors, ALineThatIsNotUtf8IsWrong)
{
    std::string_view const wrong[]
        = { "\xff", "\x80", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xe2\x82", "\xe2\x82x" };
    for (std::string_view bytes : wrong)
        expect_line_error("set Mainform.Label1.Caption " + std::string(bytes), "not valid UTF-8 (byte 29)");
    std::string_view const right[]
        = { "\x7f", "\xc3\xa9", "\xe2\x82\xac", "\xef\xbf\xbf", "\xf0\x9f\x98\x80", "\xf4\x8f\xbf\xbf" };
    for (std::string_view bytes : right) {
        std::string const caption(bytes);
        Outcome const outcome = play("set Mainform.Label1.Caption " + caption + "\nprint Mainform.Label1.Caption\n");
        EXPECT_EQ(outcome.out, caption + "\n") << outcome.errors;
    }
}

TEST(ScriptErrors, AValueMustFitWhatItIsWrittenTo)
{
    std::string const range = ": expected a decimal number from -3.4028235e38 to 3.4028235e38";
    // Half a unit in the last place above the largest float already rounds to infinity.
    expect_line_error("set Mainform.Label1.Left 340282356779733661637539395458142568448",
        "bad number '340282356779733661637539395458142568448'" + range);
    expect_line_error("set Mainform.Label1.FontSize -1e39", "bad number '-1e39'" + range);
    expect_line_error("set Mainform.Label1.Top 1e400", "bad number '1e400': expected a decimal number");
    expect_line_error("rnd 1e300", "bad random value '1e300': expected at least 0 and below 1");
    Outcome const variable = play("set Pondleap1.Visible True\nset Pondleap1.TruckSpeed 32768\n");
    EXPECT_EQ(variable.errors, "line 2: bad integer '32768': expected a whole number from -32768 to 32767\n");

    Outcome const largest = play("set Mainform.Label1.Left 3.40282356e38\n"
                                 "set Mainform.Label1.Top -3.4028235e38\n"
                                 "print Mainform.Label1.Left\nprint Mainform.Label1.Top\n");
    EXPECT_EQ(largest.out, "340282346638528859811704183484516925440\n-340282346638528859811704183484516925440\n");
}

TEST(ScriptValues, ValuesThatAreNotFinitePrintAsWordsAndStayJson)
{
    ScriptRunner runner;
    Sprite& label = *runner.stage().find("Mainform")->sprite("Label1");
    label.Left = std::numeric_limits<double>::infinity();
    label.Top = -std::numeric_limits<double>::infinity();
    label.Width = std::copysign(std::numeric_limits<double>::quiet_NaN(), -1.0);
    EXPECT_EQ(runner.read("Mainform.Label1.Left"), "inf");
    EXPECT_EQ(runner.read("Mainform.Label1.Top"), "-inf");
    EXPECT_EQ(runner.read("Mainform.Label1.Width"), "nan");
    EXPECT_NE(runner.dump("Mainform").find(R"("Label1":{"kind":"Label","Left":"inf","Top":"-inf","Width":"nan",)"),
        std::string::npos);
}

TEST(ScriptValues, ControlCharactersAreEscapedInJson)
{
    ScriptRunner runner;
    auto& label = dynamic_cast<Label&>(*runner.stage().find("Mainform")->sprite("Label1"));
    label.Caption = std::string("\x01\b\t\n\f\r\x1f\"\\\x7f\xc3\xa9");
    EXPECT_NE(runner.dump("Mainform")
                  .find(R"("Caption":"\u0001\u0008\t\n\u000c\r\u001f\"\\)"
                        "\x7f\xc3\xa9\","),
        std::string::npos);
}

// After `End` every line is still read and its names and values checked; only its effect is skipped.
TEST(ScriptErrors, EveryLineIsCheckedAfterTheProgramEnded)
{
    struct Case {
        char const* line;
        char const* message;
    };
    Case const cases[] = {
        { "set Mainform.Label1.Left abc", "line 2: bad number 'abc': expected a decimal number\n" },
        { "set Mainform.Label1.FontSize 1e39",
            "line 2: bad number '1e39': expected a decimal number from -3.4028235e38 to 3.4028235e38\n" },
        { "set Mainform.Label1.ForeColor -1", "line 2: bad colour '-1': expected a whole number from 0 to 16777215\n" },
        { "set Mainform.Image1.Enabled yes", "line 2: bad value 'yes': expected True or False\n" },
        { "set Mainform.Label1.Caption", "line 2: set needs a VALUE after 'Mainform.Label1.Caption'\n" },
        { "rnd 0.5 2", "line 2: bad random value '2': expected at least 0 and below 1\n" },
    };
    for (auto const& c : cases) {
        Outcome const outcome = play(std::string("close Mainform\n") + c.line + "\n");
        EXPECT_EQ(outcome.status, 2) << c.line;
        EXPECT_EQ(outcome.errors, c.message) << c.line;
    }
    Outcome const unchanged = play("close Mainform\nset Mainform.Label1.Left 5\nprint Mainform.Label1.Left\n");
    EXPECT_EQ(unchanged.out, "3480\n");
}

TEST(ScriptErrors, MessagesQuoteAtMostEightyCharactersOfAWordWithControlsEscaped)
{
    std::string const eighty(80, 'a');
    std::string const accents = [] {
        std::string text;
        for (int character = 0; character < 80; ++character)
            text += "\xc3\xa9";
        return text;
    }();
    expect_line_error(eighty, "unknown command '" + eighty + "'");
    expect_line_error(eighty + "b", "unknown command '" + eighty + "...'");
    expect_line_error(accents + "\xc3\xa9", "unknown command '" + accents + "...'");
    expect_line_error("jump\x1b[0m\r\r", "unknown command 'jump\\x1b[0m\\r'");
    expect_line_error("print Main\x01"
                      "form.Visible",
        "unknown window 'Main\\x01form'");
}

// Adding a command means documenting it: docs/scripting.md shows each one with its arguments.
TEST(ScriptCommands, EachCommandIsDocumented)
{
    std::ifstream file(TOLVANE_SOURCE_DIR "/docs/scripting.md");
    std::string const docs { std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>() };
    ASSERT_FALSE(docs.empty());
    for (std::string const& usage : ScriptRunner::command_usages())
        EXPECT_NE(docs.find("`" + usage + "`"), std::string::npos) << usage;
}

// Output that takes what is printed and fails only when it is written out, as a file on a disk
// that has just filled up does.
class FullDisk final : public std::streambuf {
public:
    FullDisk() { setp(m_buffer.data(), m_buffer.data() + m_buffer.size()); }

private:
    int overflow(int) override { return traits_type::eof(); }
    int sync() override
    {
        errno = ENOSPC;
        return -1;
    }
    std::array<char, 1024> m_buffer {};
};

TEST(ScriptErrors, AFailedExpectAndOutputThatCannotBeWrittenOutAreBothReported)
{
    ScriptRunner runner;
    std::istringstream in("print program.clock\nexpect program.clock 1\n");
    FullDisk full;
    std::ostream out(&full);
    std::ostringstream errors;
    EXPECT_EQ(runner.run(in, out, errors), 2);
    EXPECT_EQ(errors.str(), "line 2: expected 1, got 0\nstandard output: No space left on device\n");
}

// A window whose code lets a failure out of its handler, as one that ran out of memory would.
class Failing final : public Window {
public:
    explicit Failing(Stage& stage)
        : Window(stage, { .name = "Failing", .caption = "Failing", .client_width = 1500, .client_height = 1500 })
    { }
    void Form_Load() override { throw std::runtime_error("a failure of the program's own"); }
};

TEST(ScriptErrors, AFailureOfTheProgramsCodeEndsTheRunWithAMessage)
{
    ScriptRunner runner;
    runner.stage().add_window("Failing", [](Stage& stage) { return std::make_unique<Failing>(stage); });
    std::istringstream in("print program.active\nset Failing.Visible True\nprint program.active\n");
    std::ostringstream out;
    std::ostringstream errors;
    EXPECT_EQ(runner.run(in, out, errors), 2);
    EXPECT_EQ(out.str(), "Mainform\n");
    EXPECT_EQ(errors.str(), "line 2: the program failed: a failure of the program's own\n");
}

} // namespace
} // namespace tolvane
