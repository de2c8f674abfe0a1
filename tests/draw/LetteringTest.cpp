#include "draw/Lettering.h"
#include "tests/support/TestFonts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace tolvane {
namespace {

using testing::test_fonts;

Typeface const& regular() { return test_fonts().face(400); }

std::vector<std::string> broken(std::string const& text, double points, double width)
{
    std::vector<std::string> result;
    for (Lettering::Line const line : Lettering(regular(), points, text).lines(width))
        result.push_back(text.substr(line.begin, line.end - line.begin));
    return result;
}

double width_of(std::string const& text, double points) { return Lettering(regular(), points, text).width(); }

int ink(Canvas const& canvas, PixelRect area, std::uint32_t paper)
{
    int count = 0;
    for (int y = area.y; y < area.bottom(); ++y)
        for (int x = area.x; x < area.right(); ++x)
            count += canvas.pixel(x, y) != paper ? 1 : 0;
    return count;
}

constexpr std::uint32_t white = 0xFFFFFFFFu;

TEST(Lettering, TheRequestedFaceOrASansSerifStandIn)
{
    EXPECT_FALSE(regular().family().empty());
    EXPECT_GT(regular().line_height(), regular().ascender());
    EXPECT_NE(&test_fonts().face(400), &test_fonts().face(700));
}

TEST(Lettering, SizeInPointsAtNinetySixPixelsAnInch)
{
    Lettering const twelve(regular(), 12, "Game Over");
    Lettering const twenty_four(regular(), 24, "Game Over");
    EXPECT_NEAR(twenty_four.width(), 2 * twelve.width(), 1e-9);
    EXPECT_NEAR(twelve.line_height(), regular().line_height() / regular().units_per_em() * 16, 1e-9);
}

TEST(Lettering, LinesBreakAtSpacesToFitTheWidth)
{
    struct Case {
        std::string text;
        double points;
        double width;
        std::vector<std::string> expected;
    };
    double const two_words = width_of("one two", 12) + 0.5;
    for (Case const& c : {
             Case { "Game Over", 8.25, 455, { "Game Over" } },
             Case { "Game Over", 200, 455, { "Game", "Over" } },
             Case { "one two three", 12, two_words, { "one two", "three" } },
             Case { "a  b", 12, 455, { "a  b" } },
             Case { "The  way", 12, width_of("The", 12) + 1, { "The", "way" } },
             Case { "Supercalifragilistic x", 12, 10, { "Supercalifragilistic", "x" } },
             Case { "", 12, 100, {} },
         })
        EXPECT_EQ(broken(c.text, c.points, c.width), c.expected) << c.text << " at " << c.points;
}

TEST(Lettering, WrappedTextStaysInsideItsBox)
{
    Canvas canvas(120, 60);
    canvas.fill(canvas.bounds(), 0x00FFFFFF);
    PixelRect const box { 10, 10, 60, 30 };
    Lettering(regular(), 12, "a long caption that cannot fit into this label at all")
        .paint_wrapped(canvas, box, 0x00000000);
    EXPECT_GT(ink(canvas, box, white), 50);
    EXPECT_EQ(ink(canvas, canvas.bounds(), white), ink(canvas, box, white));
}

TEST(Lettering, CentredTextHasEqualMargins)
{
    Canvas canvas(100, 40);
    canvas.fill(canvas.bounds(), 0x00FFFFFF);
    Lettering(regular(), 8.25, "Exit").paint_centred(canvas, canvas.bounds(), 0x00000000);
    int left = 100, right = -1, top = 40, bottom = -1;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 100; ++x)
            if (canvas.pixel(x, y) != white) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left);
    EXPECT_NEAR(left, 99 - right, 2);
    EXPECT_NEAR(top, 39 - bottom, 4);
}

// The result windows' message grows without end. Anchored at the label's top-left, a capital
// from about 1,200 points on starts below the label, so nothing but the background shows.
TEST(Lettering, GrowingMessageIsDrawnAtAnySize)
{
    struct Case {
        double points;
        bool inked;
    };
    PixelRect const label { 0, 0, 455, 289 };
    for (Case c : { Case { 8.25, true }, Case { 548.25, true }, Case { 2708.25, false }, Case { 1e6, false },
             Case { 1e9, false }, Case { 3.4e38, false } }) {
        Canvas canvas(label.w, label.h);
        canvas.fill(label, 0x00FFFFFF);
        Lettering(regular(), c.points, "Game Over").paint_wrapped(canvas, label, 0x00000000);
        EXPECT_EQ(ink(canvas, label, white) > 0, c.inked) << c.points << " points";
    }
}

TEST(Lettering, SizesThatAreNotPositiveDrawNothing)
{
    for (double points : { 0.0, -12.0, std::nan("") }) {
        Canvas canvas(50, 20);
        canvas.fill(canvas.bounds(), 0x00FFFFFF);
        Lettering(regular(), points, "Game").paint_wrapped(canvas, canvas.bounds(), 0x00000000);
        EXPECT_EQ(ink(canvas, canvas.bounds(), white), 0) << points;
    }
}

} // namespace
} // namespace tolvane
