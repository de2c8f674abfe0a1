#include "draw/Canvas.h"
#include "draw/Coverage.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <utility>

namespace tolvane {
namespace {

constexpr std::uint32_t black = 0xFF000000u;
constexpr std::uint32_t red = 0xFFFF0000u;
constexpr std::uint32_t blue = 0xFF0000FFu;

TEST(Canvas, ColoursOfTheProgramBecomeOpaquePixels)
{
    EXPECT_EQ(pixel_of(0x000000FF), red);
    EXPECT_EQ(pixel_of(0x00FF0000), blue);
    EXPECT_EQ(pixel_of(0x00C000C0), 0xFFC000C0u);
    EXPECT_EQ(pixel_of(0x0080FF80), 0xFF80FF80u);
}

TEST(Canvas, FillStaysInsideTheClipAndTheCanvas)
{
    Canvas canvas(10, 10);
    canvas.set_clip({ 2, 2, 4, 4 });
    canvas.fill({ -100, -100, 1000, 1000 }, 0x000000FF);
    EXPECT_EQ(canvas.pixel(1, 1), black);
    EXPECT_EQ(canvas.pixel(2, 2), red);
    EXPECT_EQ(canvas.pixel(5, 5), red);
    EXPECT_EQ(canvas.pixel(6, 6), black);
}

TEST(Canvas, FrameLiesInsideItsRectangle)
{
    Canvas canvas(10, 10);
    canvas.frame({ 1, 1, 8, 8 }, 2, 0x000000FF);
    struct Case {
        int x, y;
        std::uint32_t expected;
    };
    for (Case c : { Case { 0, 0, black }, Case { 1, 1, red }, Case { 2, 5, red }, Case { 3, 3, black },
             Case { 8, 8, red }, Case { 7, 4, red }, Case { 6, 6, black }, Case { 9, 9, black } })
        EXPECT_EQ(canvas.pixel(c.x, c.y), c.expected) << c.x << "," << c.y;
}

TEST(Canvas, PictureIsScaledByNearestPixelAndLaidOverThroughItsAlpha)
{
    Canvas picture(2, 1);
    picture.data()[0] = red;
    picture.data()[1] = 0x000000FFu; // blue, fully transparent
    Canvas canvas(8, 2);
    canvas.fill(canvas.bounds(), 0x0000FF00);
    canvas.draw(picture, { 0, 0, 8, 2 });
    for (int x = 0; x < 4; ++x)
        EXPECT_EQ(canvas.pixel(x, 1), red) << x;
    for (int x = 4; x < 8; ++x)
        EXPECT_EQ(canvas.pixel(x, 1), 0xFF00FF00u) << x;
}

// Halved, each pixel is the mean of four, and a clear pixel adds no colour, only clearness;
// doubled, the corners keep their colours and the pixels between mix their neighbours.
TEST(Canvas, SmoothedCopyMixesNeighboursWeightedByAlpha)
{
    Canvas picture(2, 2);
    picture.data()[0] = red;
    picture.data()[1] = red;
    picture.data()[2] = blue;
    picture.data()[3] = 0x0000FF00u; // green, fully transparent
    Canvas const half = picture.smoothed(1, 1);
    EXPECT_EQ(half.pixel(0, 0), 0xBFAA0055u);
    Canvas stripe(2, 1);
    stripe.data()[0] = black;
    stripe.data()[1] = 0xFFFFFFFFu;
    Canvas const wide = stripe.smoothed(4, 1);
    EXPECT_EQ(wide.pixel(0, 0), black);
    EXPECT_EQ(wide.pixel(1, 0), 0xFF404040u);
    EXPECT_EQ(wide.pixel(2, 0), 0xFFBFBFBFu);
    EXPECT_EQ(wide.pixel(3, 0), 0xFFFFFFFFu);
}

TEST(Canvas, HalfTransparentPictureMixesWithWhatIsBeneath)
{
    Canvas picture(1, 1);
    picture.data()[0] = 0x80FFFFFFu;
    Canvas canvas(1, 1);
    canvas.draw(picture, { 0, 0, 1, 1 });
    EXPECT_EQ(canvas.pixel(0, 0), 0xFF808080u);
}

// A repaint of part of a stretched picture must give the same pixels as painting it whole.
TEST(Canvas, ClippedPictureLooksLikeTheWholeOne)
{
    Canvas picture(3, 3);
    for (int i = 0; i < 9; ++i)
        picture.data()[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 20);
    Canvas whole(17, 13);
    whole.draw(picture, { -2, 1, 17, 11 });
    Canvas parts(17, 13);
    for (int x = 0; x < 17; x += 5) {
        parts.set_clip({ x, 0, 5, 13 });
        parts.draw(picture, { -2, 1, 17, 11 });
    }
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 17; ++x)
            EXPECT_EQ(parts.pixel(x, y), whole.pixel(x, y)) << x << "," << y;
}

TEST(Canvas, TintFollowsTheCoverage)
{
    Coverage coverage(2, 1);
    coverage.line({ 1, 0 }, { 1, 1 });
    coverage.line({ 2, 1 }, { 2, 0 });
    coverage.finish();
    Canvas canvas(4, 1);
    canvas.fill(canvas.bounds(), 0x00FFFFFF);
    canvas.tint({ 2, 0, 2, 1 }, coverage, 0x00000000);
    EXPECT_EQ(canvas.pixel(2, 0), 0xFFFFFFFFu);
    EXPECT_EQ(canvas.pixel(3, 0), black);
}

// Letters far wider than a block of cells, with edges at fractions of a pixel, tinted through
// a clip: each pixel inside the clip takes its coverage, rounded to the nearest of 255 steps,
// and the rest stay as they were.
TEST(Canvas, TintOfWideCoverageMatchesEveryPixel)
{
    Coverage coverage(100, 6);
    for (auto [left, right] : { std::pair { 3.3, 47.6 }, std::pair { 60.5, 97.2 } }) {
        coverage.line({ left, 0.6 }, { right, 0.6 });
        coverage.line({ right, 0.6 }, { right, 5.3 });
        coverage.line({ right, 5.3 }, { left, 5.3 });
        coverage.line({ left, 5.3 }, { left, 0.6 });
    }
    coverage.finish();
    Canvas canvas(110, 8);
    canvas.fill(canvas.bounds(), 0x00FFFFFF);
    PixelRect const clip { 10, 0, 80, 8 };
    canvas.set_clip(clip);
    canvas.tint({ 5, 1, 100, 6 }, coverage, 0x00000000);
    for (int y = 0; y < canvas.height(); ++y)
        for (int x = 0; x < canvas.width(); ++x) {
            bool const inside = clip.contains({ x, y, 1, 1 }) && x >= 5 && x < 105 && y >= 1 && y < 7;
            float const strength = inside ? coverage.at(x - 5, y - 1) * 255.0f : 0.0f;
            auto const alpha = strength < 0.5f ? 0u : static_cast<unsigned>(std::lround(strength));
            std::uint32_t const grey = 255 - alpha;
            ASSERT_EQ(canvas.pixel(x, y), 0xFF000000u | grey << 16 | grey << 8 | grey) << x << "," << y;
        }
}

// A canvas misused by the drawing's own code stops the program in every build, with how to mend
// the code, rather than writing beyond its pixels.
TEST(ProgramChecks, ACanvasMisusedStopsTheProgramWithHowToMendIt)
{
    EXPECT_DEATH(Canvas(2, 2).resize(-1, 2), "a canvas cannot have a negative size: clamp the size at 0");
    EXPECT_DEATH(Canvas::over(nullptr, 2, 2, 8), "Canvas::over needs pixels");
    EXPECT_DEATH(
        Canvas(4, 4).tint({ 0, 0, 3, 3 }, Coverage(2, 2), 0), "a coverage is laid only over the area it was made for");
}

} // namespace
} // namespace tolvane
