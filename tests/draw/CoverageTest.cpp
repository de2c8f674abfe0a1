#include "draw/Coverage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace tolvane {
namespace {

// A rectangle as an outline, clockwise on the screen (y downwards) or the other way round.
void rectangle(Coverage& coverage, double left, double top, double right, double bottom, bool clockwise = true)
{
    Point const a { left, top }, b { right, top }, c { right, bottom }, d { left, bottom };
    if (clockwise) {
        coverage.line(a, b);
        coverage.line(b, c);
        coverage.line(c, d);
        coverage.line(d, a);
    } else {
        coverage.line(a, d);
        coverage.line(d, c);
        coverage.line(c, b);
        coverage.line(b, a);
    }
}

// A circle drawn with four cubic curves.
void circle(Coverage& coverage, Point centre, double radius)
{
    double const k = radius * 4 * (std::numbers::sqrt2 - 1) / 3;
    double const x = centre.x, y = centre.y, r = radius;
    coverage.cubic({ x + r, y }, { x + r, y + k }, { x + k, y + r }, { x, y + r });
    coverage.cubic({ x, y + r }, { x - k, y + r }, { x - r, y + k }, { x - r, y });
    coverage.cubic({ x - r, y }, { x - r, y - k }, { x - k, y - r }, { x, y - r });
    coverage.cubic({ x, y - r }, { x + k, y - r }, { x + r, y - k }, { x + r, y });
}

float total(Coverage const& coverage)
{
    float sum = 0;
    for (int y = 0; y < coverage.height(); ++y)
        for (int x = 0; x < coverage.width(); ++x)
            sum += coverage.at(x, y);
    return sum;
}

struct RectangleCase {
    char const* story;
    double left, top, right, bottom;
    bool clockwise;
    int x, y;
    float expected;
};

void PrintTo(RectangleCase const& c, std::ostream* out) { *out << c.story; }

class CoverageOfRectangles : public ::testing::TestWithParam<RectangleCase> { };

TEST_P(CoverageOfRectangles, CoverEachPixelByTheShareInside)
{
    RectangleCase const c = GetParam();
    Coverage coverage(8, 8);
    rectangle(coverage, c.left, c.top, c.right, c.bottom, c.clockwise);
    coverage.finish();
    EXPECT_NEAR(coverage.at(c.x, c.y), c.expected, 1e-4) << c.story;
}

INSTANTIATE_TEST_SUITE_P(Coverage, CoverageOfRectangles,
    ::testing::Values(RectangleCase { "inside a whole-pixel square", 2, 2, 5, 5, true, 3, 3, 1.0f },
        RectangleCase { "beside a whole-pixel square", 2, 2, 5, 5, true, 5, 3, 0.0f },
        RectangleCase { "the other winding fills as well", 2, 2, 5, 5, false, 4, 4, 1.0f },
        RectangleCase { "half a pixel on the left edge", 2.5, 2, 5, 5, true, 2, 3, 0.5f },
        RectangleCase { "a quarter at a corner", 2.5, 2.5, 5, 5, true, 2, 2, 0.25f },
        RectangleCase { "a sliver wider than a pixel", 1.25, 3, 6.75, 4, true, 1, 3, 0.75f },
        RectangleCase { "a rectangle far larger than the box", -1e7, -1e7, 1e7, 1e7, true, 0, 7, 1.0f },
        RectangleCase { "a rectangle wholly left of the box", -50, 0, -10, 8, true, 0, 4, 0.0f },
        RectangleCase { "a rectangle wholly right of the box", 9, 0, 20, 8, true, 7, 4, 0.0f },
        RectangleCase { "a rectangle crossing the left edge", -3, 1, 2, 3, true, 1, 2, 1.0f },
        RectangleCase { "beyond it on the right", -3, 1, 2, 3, true, 2, 2, 0.0f }),
    [](::testing::TestParamInfo<RectangleCase> const& info) {
        std::string name = info.param.story;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

// The share of the pixel at (x, y) inside an upright rectangle, worked out from its edges.
float share(int x, int y, double left, double top, double right, double bottom)
{
    auto const overlap = [](double from, double to, int cell) {
        return std::max(0.0, std::min(to, cell + 1.0) - std::max(from, static_cast<double>(cell)));
    };
    return static_cast<float>(overlap(left, right, x) * overlap(top, bottom, y));
}

// Rows far wider than a block of cells, holding several shapes and a hole: every pixel, inside
// the long stretches no edge crosses as well as beside the edges, has its exact share, and a
// row's covered columns hold every covered pixel.
TEST(Coverage, WideRowsCoverEveryPixelByItsShare)
{
    struct Box {
        double left, top, right, bottom;
        bool clockwise;
    };
    std::vector<Box> const boxes {
        { 1.5, 1.25, 70.75, 9.5, true }, // wide, with a hole
        { 20.25, 3, 50.5, 7.75, false }, // the hole, wound the other way
        { 80.5, 0.5, 118.25, 11, true }, // beside it in the same rows
    };
    Coverage coverage(120, 12);
    for (Box const& b : boxes)
        rectangle(coverage, b.left, b.top, b.right, b.bottom, b.clockwise);
    coverage.finish();
    for (int y = 0; y < coverage.height(); ++y) {
        auto const [first, end] = coverage.covered(y);
        for (int x = 0; x < coverage.width(); ++x) {
            float expected = 0;
            for (Box const& b : boxes)
                expected += (b.clockwise ? 1.0f : -1.0f) * share(x, y, b.left, b.top, b.right, b.bottom);
            ASSERT_NEAR(coverage.at(x, y), expected, 1e-4) << x << "," << y;
            if (expected > 0) {
                ASSERT_TRUE(x >= first && x < end) << x << "," << y << " outside " << first << ".." << end;
            }
        }
    }
}

// Curves become lines that stray at most a tenth of a pixel inwards, which costs a circle of
// 15 pixels about half a percent of its area.
TEST(Coverage, CircleCoversItsArea)
{
    Coverage coverage(40, 40);
    circle(coverage, { 20, 20 }, 15);
    coverage.finish();
    EXPECT_NEAR(total(coverage), std::numbers::pi * 15 * 15, std::numbers::pi * 15 * 15 / 100);
    EXPECT_FLOAT_EQ(coverage.at(20, 20), 1.0f);
    EXPECT_FLOAT_EQ(coverage.at(1, 1), 0.0f);
}

// Text at a million points has curves billions of pixels long; only the part inside the box counts.
TEST(Coverage, EnormousCurvesCostOnlyWhatCrossesTheBox)
{
    struct Case {
        Point centre;
        double radius;
        float expected_total;
    };
    for (Case c : { Case { { 1e9, 4 }, 1e9 + 2, 64.0f }, // the box lies inside the circle, near its left edge
             Case { { -1e9, 4 }, 1e9 - 0.5, 0.0f }, // the circle ends left of the box
             Case { { 4, 4 }, 1e12, 64.0f } }) {
        Coverage coverage(8, 8);
        circle(coverage, c.centre, c.radius);
        coverage.finish();
        EXPECT_NEAR(total(coverage), c.expected_total, 0.5f) << c.centre.x << " " << c.radius;
    }
}

TEST(Coverage, LinesThatAreNotNumbersAreIgnored)
{
    Coverage coverage(4, 4);
    coverage.line({ std::nan(""), 0 }, { 2, 2 });
    coverage.line({ 0, 0 }, { INFINITY, 2 });
    coverage.finish();
    EXPECT_FLOAT_EQ(total(coverage), 0.0f);
}

} // namespace
} // namespace tolvane
