#include "desktop/DesktopWindow.h"
#include "script/Script.h"
#include "tests/desktop/DummyVideo.h"
#include "tests/support/TestFonts.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// The box set's own windows, played headless tick by tick, each shown by a real desktop window
// on SDL's dummy video driver. After every step of play the desktop window has repainted only
// what changed; what it shows must be exactly what painting the window whole shows, or a
// stale pixel is left somewhere.
class RepaintTest : public testing::DummyVideoTest {
protected:
    void play(std::string const& setup) { execute(setup); }

    void execute(std::string const& lines)
    {
        std::istringstream script(lines);
        std::ostringstream out;
        ASSERT_EQ(runner.run(script, out, out), 0) << out.str();
    }

    // Plays the steps in turn, repainting after each and comparing with a whole painting.
    void expect_no_stale_pixels(std::string_view name, std::vector<std::string> const& steps)
    {
        Window& window = *runner.stage().find(name);
        DesktopWindow shown(window, nullptr, WindowScale { .chosen = painter.scale() });
        ButtonLook const look { .active = true };
        shown.repaint(painter, look);
        for (std::size_t step = 0; step < steps.size(); ++step) {
            execute(steps[step]);
            shown.repaint(painter, look);
            ASSERT_EQ(differences(shown.canvas(), window, look), "")
                << name << " after step " << step << ": " << steps[step];
        }
    }

    std::string differences(Canvas const& repainted, Window const& window, ButtonLook look)
    {
        Canvas whole(repainted.width(), repainted.height());
        painter.paint(window, whole, whole.bounds(), look);
        return compare(repainted, whole);
    }

    static std::string compare(Canvas const& actual, Canvas const& expected)
    {
        int count = 0;
        std::ostringstream first;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (actual.pixel(x, y) != expected.pixel(x, y) && count++ == 0)
                    first << std::hex << "first at " << std::dec << x << "," << y << ": " << std::hex
                          << actual.pixel(x, y) << " instead of " << expected.pixel(x, y);
        return count == 0 ? "" : std::to_string(count) + " pixels differ, " + first.str();
    }

    static std::vector<std::string> repeat(std::vector<std::string> const& steps, int times)
    {
        std::vector<std::string> all;
        for (int i = 0; i < times; ++i)
            all.insert(all.end(), steps.begin(), steps.end());
        return all;
    }

    ScriptRunner runner;
    Pictures pictures { std::cerr };
    Painter painter { pictures, testing::test_fonts(), 1 };
};

// The frog hops about, traffic moves on, a car hits it: the notice and the Reset button come
// and go. A short countdown makes the time run out as well.
TEST_F(RepaintTest, RoadBoard)
{
    play("click Mainform imgpondleap\nclick Pondleap2 Image1\n");
    std::vector<std::string> steps = repeat({ "run 1", "key 39\nrun 1", "run 2", "key 38\nrun 1" }, 30);
    steps.push_back("click Pondleap1 cmdReset");
    steps.push_back("set Pondleap1.lbltime.Caption 0.05");
    for (int i = 0; i < 8; ++i)
        steps.push_back("run 1");
    steps.push_back("click Pondleap1 cmdReset");
    std::vector<std::string> const more = repeat({ "key 40\nrun 1", "key 37\nrun 2" }, 20);
    steps.insert(steps.end(), more.begin(), more.end());
    expect_no_stale_pixels("Pondleap1", steps);
}

// Missiles fly and hit aliens, the formation marches and turns, bombs fall and strike the
// cannon, the boss passes over.
TEST_F(RepaintTest, AlienField)
{
    play("click Mainform Image1\nclick Mainform imgstarbreach\n");
    expect_no_stale_pixels("Starbreach1", repeat({ "key 32\nrun 3", "key 37\nrun 2", "run 4", "key 39\nrun 3" }, 40));
}

// Flights with climbs and falls, crashes, and new flights from "Click to start".
TEST_F(RepaintTest, HelicopterField)
{
    play("click Mainform Image2\nclick Mainform ImgCopter\n");
    std::vector<std::string> const flight
        = repeat({ "press Helicoptergame 5000 6000\nrun 3", "release Helicoptergame 5000 6000\nrun 4", "run 2" }, 20);
    std::vector<std::string> steps { "click Helicoptergame lblstart" };
    for (int flights = 0; flights < 3; ++flights) {
        steps.insert(steps.end(), flight.begin(), flight.end());
        steps.push_back("click Helicoptergame lblstart\nrun 1");
    }
    expect_no_stale_pixels("Helicoptergame", steps);
}

TEST_F(RepaintTest, LauncherPages)
{
    expect_no_stale_pixels("Mainform",
        repeat(
            { "click Mainform Image1", "click Mainform Image2", "click Mainform Image2", "click Mainform Image1" }, 3));
}

// The message grows past the label and far beyond any size a font can be drawn at.
TEST_F(RepaintTest, ResultMessage)
{
    play("click Mainform Image1\nclick Mainform imgstarbreach\nrun 1\n");
    std::vector<std::string> steps = repeat({ "run 13" }, 30);
    steps.push_back("set Starbreach2.lblmessage.FontSize 2708.25");
    steps.push_back("run 13");
    steps.push_back("set Starbreach2.lblmessage.FontSize 1000000000");
    steps.push_back("run 13");
    expect_no_stale_pixels("Starbreach2", steps);
}

// The painter starts each area at the topmost sprite that hides it all; painting a window in
// small pieces, most of them hidden by one sprite or another, must come out as painting it whole.
TEST_F(RepaintTest, PaintingInPiecesIsPaintingWhole)
{
    for (char const* setup : { "click Mainform imgpondleap\nclick Pondleap2 Image1\nrun 50\n",
             "click Mainform Image1\nclick Mainform imgstarbreach\nkey 32\nrun 50\n",
             "click Mainform Image2\nclick Mainform ImgCopter\nclick Helicoptergame lblstart\nrun 20\n" }) {
        ScriptRunner session;
        std::istringstream script(setup);
        std::ostringstream out;
        ASSERT_EQ(session.run(script, out, out), 0) << out.str();
        for (std::string_view name : { "Mainform", "Pondleap1", "Starbreach1", "Helicoptergame" }) {
            Window const* window = session.stage().find(name);
            if (!window)
                continue;
            Canvas whole(Painter::to_pixels(window->client_width(), 1), Painter::to_pixels(window->client_height(), 1));
            painter.paint(*window, whole, whole.bounds(), {});
            Canvas pieces(whole.width(), whole.height());
            std::vector<PixelRect> areas;
            for (int y = 0; y < whole.height(); y += 23)
                for (int x = 0; x < whole.width(); x += 37)
                    areas.push_back({ x, y, 37, 23 });
            painter.paint(*window, pieces, areas, {});
            EXPECT_EQ(compare(pieces, whole), "") << name;
        }
    }
}

} // namespace
} // namespace tolvane
