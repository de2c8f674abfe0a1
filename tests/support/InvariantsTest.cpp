#include "results/ResultWindow.h"
#include "roadcross/Pondleap1.h"
#include "stage/Numbers.h"
#include "tests/support/Session.h"

#include <gtest/gtest.h>

#include <functional>

namespace tolvane {
namespace {

// Plays a little of a game, breaks one of its rules as a faulty handler of the next input would,
// and expects the invariants to name the rule at the next tick.
struct Tampering {
    char const* name;
    std::function<void(Session&)> open;
    std::function<void(Session&)> tamper;
    char const* rule;
};

void open_board(Session& session)
{
    session.click("Mainform", "imgpondleap");
    session.click("Pondleap2", "Image1");
}

Pondleap1& board(Session& session) { return static_cast<Pondleap1&>(*session.window("Pondleap1")); }

class InvariantsTest : public testing::TestWithParam<Tampering> { };

TEST_P(InvariantsTest, NameTheBrokenRule)
{
    Session session;
    GetParam().open(session);
    session.run(10);
    ASSERT_EQ(session.broken(), "");
    GetParam().tamper(session);
    session.key(0); // a key that no window handles, standing for the faulty handler
    session.run(10);
    EXPECT_NE(session.broken().find(GetParam().rule), std::string::npos) << session.broken();
}

INSTANTIATE_TEST_SUITE_P(Rules, InvariantsTest,
    testing::Values(Tampering { "LivesBetweenTicks", open_board, [](Session& s) { board(s).lbllives.Caption = "7"; },
                        "the lives changed between ticks" },
        Tampering { "CountdownOtherThanReset", open_board, [](Session& s) { board(s).lbltime.Caption = "1"; },
            "Reset did not put the countdown back to 10" },
        Tampering { "LaneSpeed", open_board, [](Session& s) { board(s).TruckSpeed = 200; },
            "a lane speed changed between ticks" },
        Tampering { "MessageSize",
            [](Session& s) {
                open_board(s);
                for (int i = 0; i < 25; ++i)
                    s.key(38);
                s.run(20);
            },
            [](Session& s) { static_cast<ResultWindow&>(*s.window("Pondleap5")).lblmessage.FontSize = 3; },
            "a message changed size between ticks" }),
    [](testing::TestParamInfo<Tampering> const& info) { return info.param.name; });

} // namespace
} // namespace tolvane
