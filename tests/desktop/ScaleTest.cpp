#include "play/Scale.h"
#include "desktop/DesktopScale.h"
#include "draw/Painter.h"
#include "script/Script.h"
#include "tests/desktop/DummyVideo.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <sstream>
#include <string>
#include <utility>

namespace tolvane {
namespace {

TEST(ScaleOf, TakesNumbersFromHalfToFourFractionsToo)
{
    struct Case {
        std::string_view text;
        std::optional<double> scale;
    };
    for (Case const c :
        { Case { "1", 1.0 }, Case { "1.5", 1.5 }, Case { "0.5", 0.5 }, Case { "4", 4.0 }, Case { "2.25", 2.25 },
            Case { "0.49", std::nullopt }, Case { "4.5", std::nullopt }, Case { "", std::nullopt },
            Case { "2x", std::nullopt }, Case { "nan", std::nullopt }, Case { "-1", std::nullopt } })
        EXPECT_EQ(scale_of(c.text), c.scale) << c.text;
}

TEST(DesktopScale, GdkScaleThenXftDpiThenOne)
{
    struct Case {
        std::string_view gdk_scale;
        std::string_view resources;
        double scale;
    };
    for (Case const c : { Case { "2", "Xft.dpi:\t144\n", 2 }, Case { "", "Xft.antialias:\t1\nXft.dpi:\t144\n", 1.5 },
             Case { "1.5", "Xft.dpi:\t192\n", 2 }, Case { "", "", 1 }, Case { "x", "Xft.dpi:\tmany\n", 1 },
             Case { "", "Xft.dpi:\t960\n", 4 }, Case { "", "Xft.dpi: 24", 0.5 }, Case { "0", "", 1 } })
        EXPECT_EQ(desktop_scale(c.gdk_scale, c.resources), c.scale) << c.gdk_scale << " / " << c.resources;
}

// The box set's own windows, painted at several scales: every sprite lies where its rectangle at
// scale 1 lies, times the scale, within a pixel, and the painting looks like the one at scale 1
// enlarged, but for the edges of letters and pictures.
class ScaledLayoutTest : public testing::DummyVideoTest {
protected:
    static void play(ScriptRunner& runner, std::string const& lines)
    {
        std::istringstream script(lines);
        std::ostringstream out;
        ASSERT_EQ(runner.run(script, out, out), 0) << out.str();
    }

    static void expect_near_scaled(PixelRect scaled, PixelRect unscaled, double scale, std::string const& what)
    {
        auto const near = [&](int at_scale, int at_one) { return std::abs(at_scale - at_one * scale) <= 1; };
        EXPECT_TRUE(near(scaled.x, unscaled.x) && near(scaled.y, unscaled.y) && near(scaled.right(), unscaled.right())
            && near(scaled.bottom(), unscaled.bottom()))
            << what << " at scale " << scale << ": " << scaled.x << "," << scaled.y << " " << scaled.w << "x"
            << scaled.h << " against " << unscaled.x << "," << unscaled.y << " " << unscaled.w << "x" << unscaled.h;
    }

    void expect_scaled_layout(std::string_view name, std::string const& setup)
    {
        ScriptRunner runner;
        play(runner, setup);
        Window const& window = *runner.stage().find(name);
        Painter const one { pictures, testing::test_fonts(), 1 };
        for (double const scale : { 1.5, 2.0 }) {
            Painter const scaled { pictures, testing::test_fonts(), scale };
            PixelRect const client { 0, 0, Painter::to_pixels(window.client_width(), scale),
                Painter::to_pixels(window.client_height(), scale) };
            expect_near_scaled(client,
                { 0, 0, Painter::to_pixels(window.client_width(), 1), Painter::to_pixels(window.client_height(), 1) },
                scale, std::string(name));
            for (Sprite const* sprite : window.sprites())
                if (sprite->Visible)
                    expect_near_scaled(scaled.area(*sprite), one.area(*sprite), scale,
                        std::string(name) + "." + std::string(sprite->name()));
            EXPECT_LT(share_unlike(window, one, scaled), 0.05) << name << " at scale " << scale;
        }
    }

    // The share of the pixels painted at scale 1 that differ clearly from the pixel at the same
    // place painted at the scale: only edges and letters may.
    static double share_unlike(Window const& window, Painter const& one, Painter const& scaled)
    {
        Canvas unscaled(Painter::to_pixels(window.client_width(), 1), Painter::to_pixels(window.client_height(), 1));
        one.paint(window, unscaled, unscaled.bounds(), {});
        double const scale = scaled.scale();
        Canvas larger(
            Painter::to_pixels(window.client_width(), scale), Painter::to_pixels(window.client_height(), scale));
        scaled.paint(window, larger, larger.bounds(), {});
        auto const unlike = [](std::uint32_t a, std::uint32_t b) {
            for (int shift = 0; shift < 24; shift += 8)
                if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 64)
                    return true;
            return false;
        };
        int count = 0;
        for (int y = 0; y < unscaled.height(); ++y)
            for (int x = 0; x < unscaled.width(); ++x) {
                int const sx = std::min(larger.width() - 1, static_cast<int>((x + 0.5) * scale));
                int const sy = std::min(larger.height() - 1, static_cast<int>((y + 0.5) * scale));
                count += unlike(unscaled.pixel(x, y), larger.pixel(sx, sy));
            }
        return static_cast<double>(count) / (unscaled.width() * unscaled.height());
    }

    Pictures pictures { std::cerr };
};

TEST_F(ScaledLayoutTest, EveryWindowOfTheBoxSet)
{
    expect_scaled_layout("Mainform", "");
    expect_scaled_layout("Pondleap2", "click Mainform imgpondleap\n");
    expect_scaled_layout("Pondleap1", "click Mainform imgpondleap\nclick Pondleap2 Image1\nrun 20\n");
    expect_scaled_layout("Starbreach1", "click Mainform Image1\nclick Mainform imgstarbreach\nrun 20\n");
    expect_scaled_layout("Helicoptergame", "click Mainform Image2\nclick Mainform ImgCopter\nrun 20\n");
}

// Black words on white, for looking at the letters' edges.
class Words final : public Window {
public:
    explicit Words(Stage& stage)
        : Window(stage, { .name = "Words", .caption = "Words", .client_width = 80 * 15, .client_height = 30 * 15 })
    {
        store({ &lblWords });
    }
    Label lblWords { { .name = "lblWords",
        .bounds = { 0, 0, 80 * 15, 30 * 15 },
        .caption = "Wag Ok",
        .font = { .size = 12, .weight = 700 },
        .BackColor = colours::White,
        .ForeColor = colours::Black } };
};

struct Ink {
    PixelRect box; // around every pixel with any ink
    int inked = 0;
    int partial = 0; // pixels at a glyph's edge, mixed of ink and paper
};

Ink ink_of(Canvas const& canvas)
{
    Ink ink;
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            std::uint32_t const pixel = canvas.pixel(x, y);
            if (pixel == pixel_of(colours::White))
                continue;
            ++ink.inked;
            ink.partial += pixel != pixel_of(colours::Black);
            ink.box = ink.box.unite({ x, y, 1, 1 });
        }
    return ink;
}

// Text set at the scaled size has edges one pixel wide at any scale; a magnified bitmap would
// have them as wide as the scale. The letters stand where the scaled ones do, within a scaled pixel.
TEST(ScaledText, IsSetAtTheScaledSizeNotMagnified)
{
    VirtualClock clock;
    Stage stage { clock };
    stage.add_window("Words", [](Stage& s) { return std::make_unique<Words>(s); });
    Window& words = stage.load("Words");
    Pictures pictures { std::cerr };
    auto const painted = [&](double scale) {
        Canvas canvas(
            Painter::to_pixels(words.client_width(), scale), Painter::to_pixels(words.client_height(), scale));
        Painter { pictures, testing::test_fonts(), scale }.paint(words, canvas, canvas.bounds(), {});
        return ink_of(canvas);
    };
    Ink const one = painted(1);
    ASSERT_GT(one.inked, 0);
    for (double const scale : { 1.5, 2.0 }) {
        Ink const scaled = painted(scale);
        auto const near = [&](int at_scale, int at_one) { return std::abs(at_scale - at_one * scale) <= scale; };
        EXPECT_TRUE(near(scaled.box.x, one.box.x) && near(scaled.box.y, one.box.y)
            && near(scaled.box.right(), one.box.right()) && near(scaled.box.bottom(), one.box.bottom()))
            << "scale " << scale;
        double const edge_share = static_cast<double>(one.partial) / one.inked;
        double const scaled_edge_share = static_cast<double>(scaled.partial) / scaled.inked;
        EXPECT_LT(scaled_edge_share, edge_share * (1 + 1 / scale) / 2) << "scale " << scale;
    }
}

// A white square in a black border two pixels wide.
class Frame final : public Window {
public:
    explicit Frame(Stage& stage)
        : Window(stage, { .name = "Frame", .caption = "Frame", .client_width = 10 * 15, .client_height = 10 * 15 })
    {
        store({ &shpFrame });
    }
    Shape shpFrame { { .name = "shpFrame",
        .bounds = { 0, 0, 10 * 15, 10 * 15 },
        .BorderColor = colours::Black,
        .border_width = 2,
        .FillColor = colours::White,
        .FillStyle = 0 } };
};

TEST(ScaledLines, AShapesBorderGrowsWithTheScale)
{
    VirtualClock clock;
    Stage stage { clock };
    stage.add_window("Frame", [](Stage& s) { return std::make_unique<Frame>(s); });
    Window& frame = stage.load("Frame");
    Pictures pictures { std::cerr };
    for (auto const& [scale, border] : { std::pair { 1.0, 2 }, std::pair { 1.5, 3 }, std::pair { 2.0, 4 } }) {
        Canvas canvas(
            Painter::to_pixels(frame.client_width(), scale), Painter::to_pixels(frame.client_height(), scale));
        Painter { pictures, testing::test_fonts(), scale }.paint(frame, canvas, canvas.bounds(), {});
        int const middle = canvas.height() / 2;
        EXPECT_EQ(canvas.pixel(border - 1, middle), pixel_of(colours::Black)) << "scale " << scale;
        EXPECT_EQ(canvas.pixel(border, middle), pixel_of(colours::White)) << "scale " << scale;
    }
}

} // namespace
} // namespace tolvane
