#include "draw/Damage.h"
#include "tests/support/Sampler.h"
#include "tests/support/TestFonts.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

using testing::px;
using testing::Sampler;

class DamageTest : public ::testing::Test {
protected:
    DamageTest()
    {
        stage.add_window("Sampler", [](Stage& s) { return std::make_unique<Sampler>(s); });
        damage.collect(window(), painter, {});
    }
    Sampler& window() { return static_cast<Sampler&>(stage.load("Sampler")); }
    std::vector<PixelRect> collect(ButtonLook look = {}) { return damage.collect(window(), painter, look); }

    VirtualClock clock;
    Stage stage { clock };
    testing::TestPictures pictures;
    Painter painter { pictures.pictures(), testing::test_fonts(), 1 };
    Damage damage;
};

TEST_F(DamageTest, FirstPaintAndAfterForgettingCoverTheWholeWindow)
{
    Damage fresh;
    EXPECT_EQ(fresh.collect(window(), painter, {}), (std::vector<PixelRect> { { 0, 0, 40, 20 } }));
    damage.forget();
    EXPECT_EQ(collect(), (std::vector<PixelRect> { { 0, 0, 40, 20 } }));
}

TEST_F(DamageTest, NothingChangedNothingToPaint) { EXPECT_TRUE(collect().empty()); }

TEST_F(DamageTest, AMoveDamagesWhereTheSpriteWasAndWhereItIs)
{
    window().imgStretch.Top = 12 * px;
    EXPECT_EQ(collect(), (std::vector<PixelRect> { { 25, 0, 4, 4 }, { 25, 12, 4, 4 } }));
    EXPECT_TRUE(collect().empty());
}

TEST_F(DamageTest, SmallMovesMergeIntoOneArea)
{
    window().imgStretch.Left = 26 * px;
    EXPECT_EQ(collect(), (std::vector<PixelRect> { { 25, 0, 5, 4 } }));
}

TEST_F(DamageTest, ChangesThatShowAreTold)
{
    struct Case {
        char const* story;
        std::function<void(Sampler&)> change;
        std::vector<PixelRect> expected;
    };
    for (Case const& c : {
             Case { "a caption", [](Sampler& w) { w.lblBack.Caption = "3"; }, { { 5, 10, 10, 10 } } },
             Case { "a font size", [](Sampler& w) { w.lblBack.FontSize = 17.25; }, { { 5, 10, 10, 10 } } },
             Case { "a text colour", [](Sampler& w) { w.lblBack.ForeColor = 0x000000FF; }, { { 5, 10, 10, 10 } } },
             Case { "a sprite shown", [](Sampler& w) { w.imgHidden.Visible = true; }, { { 0, 0, 10, 10 } } },
             Case { "a sprite hidden", [](Sampler& w) { w.imgHidden.Visible = false; }, { { 0, 0, 10, 10 } } },
         }) {
        c.change(window());
        EXPECT_EQ(collect(), c.expected) << c.story;
    }
}

TEST_F(DamageTest, ChangesThatDoNotShowAreNot)
{
    window().imgStretch.Enabled = false;
    window().imgHidden.Left = 20 * px;
    EXPECT_TRUE(collect().empty());
}

TEST_F(DamageTest, FocusAndPressingRepaintTheButton)
{
    stage.show("Sampler");
    collect();
    EXPECT_EQ(collect({ .active = true }), (std::vector<PixelRect> { { 30, 0, 10, 10 } }));
    EXPECT_EQ(collect({ .active = true, .pressed = &window().cmdGo }), (std::vector<PixelRect> { { 30, 0, 10, 10 } }));
    EXPECT_TRUE(collect({ .active = true, .pressed = &window().cmdGo }).empty());
}

} // namespace
} // namespace tolvane
