#include "script/Script.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tolvane {
namespace {

constexpr std::int64_t granule_us = 15'625;

// Each cue as "granule window cue", the granule being the tick's `run` count since the start.
std::vector<std::string> heard(Stage const& stage)
{
    std::vector<std::string> lines;
    for (CueRecord const& record : stage.cues())
        lines.push_back(
            std::to_string(record.time_us / granule_us) + " " + record.window + " " + std::string(name_of(record.cue)));
    return lines;
}

void play(ScriptRunner& runner, std::string const& script)
{
    std::istringstream in(script);
    std::ostringstream out;
    ASSERT_EQ(runner.run(in, out, out), 0) << out.str();
}

void play_file(ScriptRunner& runner, std::string const& path)
{
    std::ifstream file(std::string(TOLVANE_SOURCE_DIR) + "/tests/" + path);
    ASSERT_TRUE(file) << path;
    std::ostringstream out;
    ASSERT_EQ(runner.run(file, out, out, path), 0) << out.str();
}

std::vector<std::string> repeated(std::string const& line, int times) { return std::vector<std::string>(times, line); }

std::vector<std::string> joined(std::vector<std::vector<std::string>> const& parts)
{
    std::vector<std::string> all;
    for (auto const& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The scripted stories of each game, with the cues heard at their ticks.
struct Story {
    char const* script;
    std::vector<std::string> cues;
};

class ScriptedStory : public testing::TestWithParam<Story> { };

TEST_P(ScriptedStory, SoundsItsCuesAtTheirTicks)
{
    ScriptRunner runner;
    play_file(runner, GetParam().script);
    EXPECT_EQ(heard(runner.stage()), GetParam().cues);
}

INSTANTIATE_TEST_SUITE_P(Cues, ScriptedStory,
    testing::Values(
        // A hit and the time-out in one tick: one splat, then the time-out.
        Story { "roadcross/hit_and_timeout.script", { "834 Pondleap1 Splat", "834 Pondleap1 TimeUp" } },
        // 25 hops, the trophy and the win phrase; the board's later time-out, hidden, is silent.
        Story { "roadcross/win_from_start.script",
            joined({ repeated("0 Pondleap1 Hop", 24),
                { "1 Pondleap1 Hop", "2 Pondleap1 Trophy", "2 Pondleap5 YouWin" } }) },
        // Two trucks take the last life in one tick: two splats, then the lose phrase.
        Story { "roadcross/last_life.script", { "1 Pondleap1 Splat", "1 Pondleap1 Splat", "1 Pondleap4 GameOver" } },
        // Bombs released as the boss passes their columns, three strikes, and the loss; the
        // result windows, loaded hidden on the first tick, stay silent until the loss shows one.
        Story { "aliens/bombs_and_lives.script",
            { "1 Starbreach1 BombReleased", "4 Starbreach1 BombReleased", "32 Starbreach1 BombReleased",
                "134 Starbreach1 BombReleased", "139 Starbreach1 CannonStruck", "224 Starbreach1 BombReleased",
                "252 Starbreach1 BombReleased", "279 Starbreach1 CannonStruck", "354 Starbreach1 BombReleased",
                "419 Starbreach1 CannonStruck", "420 Starbreach2 GameOver" } },
        // A launch at a press (a second press in flight is not one), a launch again from the
        // top, a hit on an alien, and a launch from the place of the hit.
        Story { "aliens/missile_flight.script",
            { "1 Starbreach1 BombReleased", "3 Starbreach1 Launch", "4 Starbreach1 BombReleased",
                "32 Starbreach1 BombReleased", "96 Starbreach1 Launch", "134 Starbreach1 BombReleased",
                "141 Starbreach1 AlienDown", "141 Starbreach1 Launch" } },
        // Lost and won on one tick: the lose window, shown and hidden again within the tick, is
        // never on the screen and not heard; the win window is.
        Story { "aliens/both_ends.script",
            { "1 Starbreach1 BombReleased", "4 Starbreach1 BombReleased", "32 Starbreach1 BombReleased",
                "134 Starbreach1 BombReleased", "139 Starbreach1 CannonStruck", "224 Starbreach1 BombReleased",
                "252 Starbreach1 BombReleased", "279 Starbreach1 CannonStruck", "354 Starbreach1 BombReleased",
                "419 Starbreach1 CannonStruck", "419 Starbreach1 BossDown", "420 Starbreach3 YouWin" } },
        // The boss downed by the first touch once no alien is left, then the win.
        Story {
            "aliens/win.script", { "1 Starbreach1 BombReleased", "3 Starbreach1 BossDown", "4 Starbreach3 YouWin" } },
        // A pick-up, a capped gauge, a second and a third pick-up, the end of the flight against
        // the ceiling, and a pick-up in the next flight.
        Story { "helicopter/pumps.script",
            { "1 Helicoptergame Pickup", "5 Helicoptergame Pickup", "8 Helicoptergame FlightOver",
                "9 Helicoptergame Pickup" } }));

// The warning sounds once as the gauge falls below 20, and again after a pick-up has lifted it.
TEST(Cues, LowFuelWarnsOncePerDip)
{
    ScriptRunner runner;
    play(runner,
        "click Mainform Image2\nrnd 0 0 0 0 0 0\nclick Mainform ImgCopter\nclick Helicoptergame lblstart\n"
        "press Helicoptergame 300 300 1\nset Helicoptergame.lblfuel.Caption 20.04\nrun 1\n"
        "release Helicoptergame 300 300 1\nrun 1\n"
        "set Helicoptergame.lblfuel.Caption 20.04\nrun 1\nset Helicoptergame.lblfuel.Caption 19\nrun 1\n");
    EXPECT_EQ(
        heard(runner.stage()), (std::vector<std::string> { "2 Helicoptergame LowFuel", "4 Helicoptergame LowFuel" }));
}

// The traffic is held while the board runs, let go at a hit and held again by Reset; the rotor
// is held in flight, and the climb while a button is down.
TEST(Cues, LoopsAreHeldWhileThingsLast)
{
    ScriptRunner runner;
    play(runner, "rnd 0.5 0.25 0.75 0.5 0\nclick Mainform imgpondleap\nclick Pondleap2 Image1\n");
    Window const& board = *runner.stage().find("Pondleap1");
    EXPECT_TRUE(board.holds(Loop::Traffic));
    play(runner, "run 10\nset Pondleap1.frog.Left 5400\nset Pondleap1.frog.Top 4400\nrun 1\n");
    EXPECT_FALSE(board.holds(Loop::Traffic));
    play(runner, "click Pondleap1 cmdReset\n");
    EXPECT_TRUE(board.holds(Loop::Traffic));

    ScriptRunner flight;
    play(flight, "click Mainform Image2\nclick Mainform ImgCopter\n");
    Window const& helicopter = *flight.stage().find("Helicoptergame");
    EXPECT_FALSE(helicopter.holds(Loop::Rotor));
    play(flight, "click Helicoptergame lblstart\npress Helicoptergame 300 300 1\n");
    EXPECT_TRUE(helicopter.holds(Loop::Rotor));
    EXPECT_TRUE(helicopter.holds(Loop::Climb));
    play(flight, "release Helicoptergame 300 300 1\nset Helicoptergame.Imghelicopter.Top 5800\nrun 2\n");
    EXPECT_FALSE(helicopter.holds(Loop::Climb));
    EXPECT_FALSE(helicopter.holds(Loop::Rotor));
}

} // namespace
} // namespace tolvane
