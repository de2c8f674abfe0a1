#include "draw/Painter.h"
#include "tests/support/Sampler.h"
#include "tests/support/TestFonts.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tolvane {
namespace {

using testing::px;
using testing::Sampler;

constexpr std::uint32_t red = 0xFFFF0000u;
constexpr std::uint32_t green = 0xFF00FF00u;
constexpr std::uint32_t blue = 0xFF0000FFu;
constexpr std::uint32_t white = 0xFFFFFFFFu;
constexpr std::uint32_t black = 0xFF000000u;
constexpr std::uint32_t grey = 0xFF808080u;
constexpr std::uint32_t yellow = 0xFFFFFF00u;

class PainterTest : public ::testing::Test {
protected:
    PainterTest()
    {
        stage.add_window("Sampler", [](Stage& s) { return std::make_unique<Sampler>(s); });
    }

    Canvas paint(PixelRect area = { 0, 0, 40, 20 }, ButtonLook look = {})
    {
        Canvas canvas(40, 20);
        painter.paint(window(), canvas, area, look);
        return canvas;
    }
    Sampler& window() { return static_cast<Sampler&>(stage.load("Sampler")); }

    VirtualClock clock;
    Stage stage { clock };
    testing::TestPictures pictures;
    Painter painter { pictures.pictures(), testing::test_fonts(), 1 };
};

struct PixelCase {
    char const* story;
    int x, y;
    std::uint32_t expected;
};

TEST_F(PainterTest, EverySpriteKindIsDrawnInStoredOrder)
{
    Canvas const canvas = paint();
    for (PixelCase c : {
             PixelCase { "the window's picture at its own size", 0, 0, red },
             PixelCase { "its transparent pixel shows the back colour", 1, 1, blue },
             PixelCase { "the back colour beyond the picture", 5, 5, blue },
             PixelCase { "a hidden image draws nothing", 3, 3, blue },
             PixelCase { "a solid shape's border", 0, 10, black },
             PixelCase { "a solid shape's fill", 3, 15, red },
             PixelCase { "an earlier sprite lies on top", 7, 15, red },
             PixelCase { "a label's background", 12, 15, green },
             PixelCase { "a wide border lies inside the shape", 16, 5, white },
             PixelCase { "a shape without fill shows what is beneath", 20, 5, blue },
             PixelCase { "an opaque shape shows its back colour", 20, 15, grey },
             PixelCase { "a stretched picture, top left", 25, 0, red },
             PixelCase { "a stretched picture, top right", 28, 1, green },
             PixelCase { "a stretched picture, bottom left", 26, 3, white },
             PixelCase { "transparency of a stretched picture", 27, 2, blue },
             PixelCase { "an unstretched picture at its own size", 26, 10, green },
             PixelCase { "and nothing beyond it", 28, 10, blue },
             PixelCase { "a button lies above every other sprite", 35, 5, yellow },
         })
        EXPECT_EQ(canvas.pixel(c.x, c.y), c.expected) << c.story;
}

TEST_F(PainterTest, OnlyTheAreaAskedForIsPainted)
{
    Canvas canvas(40, 20);
    canvas.fill(canvas.bounds(), 0x00000000);
    painter.paint(window(), canvas, { 20, 10, 5, 5 }, {});
    EXPECT_EQ(canvas.pixel(20, 15), black);
    EXPECT_EQ(canvas.pixel(20, 12), grey);
    EXPECT_EQ(canvas.pixel(12, 15), black);
}

TEST_F(PainterTest, MovedAndHiddenSpritesAreDrawnWhereTheyAreNow)
{
    window().shpOpaque.Left = 35 * px;
    window().imgHidden.Visible = true;
    window().cmdGo.Visible = false;
    Canvas const canvas = paint();
    EXPECT_EQ(canvas.pixel(38, 15), grey) << "a shape moved partly off the window";
    EXPECT_EQ(canvas.pixel(20, 15), blue) << "the place it left";
    EXPECT_EQ(canvas.pixel(3, 3), red) << "an image shown";
    EXPECT_EQ(canvas.pixel(35, 5), red) << "a hidden button shows the image beneath";
}

TEST_F(PainterTest, TwipsRoundToTheNearestPixel)
{
    struct Case {
        double twips;
        int pixels;
    };
    for (Case c : { Case { 0, 0 }, Case { 7, 0 }, Case { 7.5, 1 }, Case { 15, 1 }, Case { -7.4, 0 }, Case { -8, -1 },
             Case { 4680, 312 }, Case { 1e30, 1 << 24 }, Case { -1e30, -(1 << 24) } })
        EXPECT_EQ(Painter::to_pixels(c.twips, 1), c.pixels) << c.twips;
}

TEST_F(PainterTest, UnstretchedPictureSetsTheAreaItCovers)
{
    EXPECT_EQ(painter.area(window().imgNatural), (PixelRect { 25, 10, 2, 2 }));
    EXPECT_EQ(painter.area(window().imgStretch), (PixelRect { 25, 0, 4, 4 }));
}

TEST_F(PainterTest, FocusedButtonOfTheActiveWindowShowsItsFocus)
{
    stage.show("Sampler");
    ASSERT_EQ(window().focus(), &window().cmdGo);
    Canvas const active = paint({ 0, 0, 40, 20 }, { .active = true });
    Canvas const inactive = paint({ 0, 0, 40, 20 }, { .active = false });
    EXPECT_EQ(active.pixel(30, 0), black) << "the focused button's outer frame";
    EXPECT_NE(inactive.pixel(30, 0), black);
}

TEST_F(PainterTest, AButtonHeldDownSinks)
{
    Canvas const up = paint();
    Canvas const down = paint({ 0, 0, 40, 20 }, { .pressed = &window().cmdGo });
    EXPECT_EQ(up.pixel(30, 0), white) << "a raised button is lit on its top-left edge";
    EXPECT_NE(down.pixel(30, 0), white);
}

TEST_F(PainterTest, MissingPictureDrawsNothingAndIsToldOnce)
{
    pictures.pictures().find("test/none");
    pictures.pictures().find("test/none");
    std::string const warnings = pictures.warnings();
    EXPECT_NE(warnings.find("test/none"), std::string::npos);
    EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 1) << warnings;
}

} // namespace
} // namespace tolvane
