#include "play/HeldButton.h"
#include "tests/support/Sampler.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using testing::Sampler;

// The Sampler's command button lies at pixels 30 to 40 of its top row; pixel (5, 5) is its
// label's. A press is taken at a pixel's centre.
class HeldButtonTest : public ::testing::Test {
protected:
    HeldButtonTest()
    {
        stage.add_window("Sampler", [](Stage& s) { return std::make_unique<Sampler>(s); });
        stage.add_window("Second", [](Stage& s) { return std::make_unique<Sampler>(s, "Second"); });
        stage.show("Second");
        stage.show("Sampler");
    }

    Sampler& window(std::string_view name = "Sampler") { return static_cast<Sampler&>(stage.load(name)); }
    void press(int x, int y, int button = 1, std::string_view name = "Sampler")
    {
        held.press(stage, window(name), (x + 0.5) * 15, (y + 0.5) * 15, button);
    }
    Sprite const* sunk(std::string_view name = "Sampler") { return held.in(window(name)); }

    VirtualClock clock;
    Stage stage { clock };
    HeldButton held;
};

TEST_F(HeldButtonTest, TheLeftButtonHoldsTheCommandButtonItPressesUntilItComesUp)
{
    press(35, 5);
    EXPECT_EQ(sunk(), &window().cmdGo);
    EXPECT_EQ(sunk("Second"), nullptr) << "another window's button of the same name";

    held.release(2);
    EXPECT_EQ(sunk(), &window().cmdGo) << "the right button's release lets nothing go";
    held.release(1);
    EXPECT_EQ(sunk(), nullptr);
}

TEST_F(HeldButtonTest, OnlyALeftPressOnAShownCommandButtonHoldsIt)
{
    struct Case {
        char const* what;
        int x, y, button;
        bool hidden;
    };
    for (Case const c : { Case { "a press on a label", 5, 5, 1, false }, Case { "the right button", 35, 5, 2, false },
             Case { "the middle button", 35, 5, 3, false }, Case { "a hidden window", 35, 5, 1, true } }) {
        held.release(1);
        stage.set_visible("Sampler", !c.hidden);
        press(c.x, c.y, c.button);
        EXPECT_EQ(sunk(), nullptr) << c.what;
    }
}

TEST_F(HeldButtonTest, AWindowUnloadingTakesItsHeldButtonWithIt)
{
    press(35, 5);
    held.forget(window("Second"));
    EXPECT_EQ(sunk(), &window().cmdGo) << "another window unloading";
    held.forget(window());
    EXPECT_EQ(sunk(), nullptr);
}

} // namespace
} // namespace tolvane
