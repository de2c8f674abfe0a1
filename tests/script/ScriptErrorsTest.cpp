#include "tools/script/Script.h"

#include <gtest/gtest.h>

#include <sstream>

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
        { "run -1", "line 2: bad count '-1': expected a whole number from 0 to 1000000000000\n" },
        { "run 2.5", "line 2: bad count '2.5': expected a whole number from 0 to 1000000000000\n" },
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

} // namespace
} // namespace tolvane
