#include "draw/Canvas.h"
#include "tests/support/TestPictures.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>

namespace tolvane {
namespace {

// A picture of random opaque colours, with clear pixels where `clear_every` says.
Canvas random_picture(int width, int height, unsigned seed, int clear_every = 0)
{
    std::mt19937 random(seed);
    Canvas picture(width, height);
    for (int i = 0; i < width * height; ++i) {
        std::uint32_t const colour = static_cast<std::uint32_t>(random()) & 0x00FFFFFFu;
        bool const clear = clear_every > 0 && i % clear_every == 0;
        picture.data()[i] = colour | (clear ? 0u : 0xFF000000u);
    }
    return picture;
}

bool same_pixels(Canvas const& a, Canvas const& b)
{
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return false;
    return true;
}

struct Placement {
    PixelRect area;
    PixelRect clip;
};

// Shrunk, stretched, cut off by the canvas's edges and by clips of every kind.
std::vector<Placement> const placements {
    { { 3, 2, 40, 30 }, { 0, 0, 64, 48 } },
    { { -7, -5, 90, 70 }, { 5, 6, 30, 20 } },
    { { 10, 10, 9, 7 }, { 12, 0, 3, 48 } },
    { { 20, 3, 44, 45 }, { 0, 0, 64, 48 } },
};

// Lays `picture` in every placement over the same random background both ways, the plain way
// by `draw` and the other by `lay`, and expects the same pixels.
template <typename Lay> void expect_drawn_alike(Canvas const& picture, unsigned seed, Lay lay)
{
    for (Placement const& p : placements) {
        Canvas drawn = random_picture(64, 48, seed);
        Canvas laid = drawn;
        drawn.set_clip(p.clip);
        laid.set_clip(p.clip);
        drawn.draw(picture, p.area);
        lay(laid, p.area);
        EXPECT_TRUE(same_pixels(drawn, laid)) << p.area.x << "," << p.area.y;
    }
}

TEST(PictureDrawing, AnOpaquePictureCoversAsDrawingItWould)
{
    Canvas const picture = random_picture(23, 17, 1);
    expect_drawn_alike(picture, 2, [&](Canvas& canvas, PixelRect area) { canvas.cover(picture, area); });
}

// A picture whose pixels are all opaque or clear, like the aliens, is cut out of what lies beneath.
TEST(PictureDrawing, ACutOutPictureLaysAsDrawingItWould)
{
    Canvas const picture = random_picture(23, 17, 5, 3);
    expect_drawn_alike(picture, 6, [&](Canvas& canvas, PixelRect area) { canvas.cut_out(picture, area); });
}

// A picture drawn stretched and its copy made at that size, drawn at its own size, give the
// same pixels: the painter draws the copies.
TEST(PictureDrawing, AScaledCopyDrawsAsThePictureStretched)
{
    Canvas const picture = random_picture(29, 13, 3, 3);
    expect_drawn_alike(
        picture, 4, [&](Canvas& canvas, PixelRect area) { canvas.draw(picture.scaled(area.w, area.h), area); });
}

TEST(PictureDrawing, ACanvasCanPaintOnPixelsKeptElsewhere)
{
    std::vector<std::uint32_t> rows(6 * 3, 0u); // three rows of four pixels, six apart
    Canvas canvas = Canvas::over(rows.data(), 4, 3, 6 * 4);
    EXPECT_TRUE(canvas.borrowed());
    canvas.fill({ 1, 1, 10, 10 }, 0x000000FF);
    EXPECT_EQ(rows[6 + 1], 0xFFFF0000u);
    EXPECT_EQ(rows[6 + 3], 0xFFFF0000u);
    EXPECT_EQ(rows[6 + 4], 0u) << "beyond the canvas's width";
    EXPECT_EQ(canvas.pixel(2, 2), 0xFFFF0000u);
    Canvas const copy = canvas;
    EXPECT_FALSE(copy.borrowed());
    EXPECT_EQ(copy.pixel(3, 2), 0xFFFF0000u);
    EXPECT_EQ(copy.pitch(), 16);
}

TEST(PictureDrawing, PicturesKnowWhichAreOpaqueAndKeepTheirScaledCopies)
{
    testing::TestPictures pictures;
    EXPECT_TRUE(pictures.pictures().opaque("test/red"));
    EXPECT_FALSE(pictures.pictures().opaque("test/quad")) << "it has a clear pixel";
    EXPECT_EQ(pictures.pictures().lookup("test/quad").alpha, Pictures::Alpha::CutOut);
    EXPECT_FALSE(pictures.pictures().opaque("test/missing"));
    Canvas const* red = pictures.pictures().find("test/red");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(pictures.pictures().sized(*red, 1, 1), red);
    Canvas const* quad = pictures.pictures().find("test/quad");
    ASSERT_NE(quad, nullptr);
    Canvas const* large = pictures.pictures().sized(*quad, 8, 6);
    EXPECT_EQ(large->width(), 8);
    EXPECT_EQ(large->height(), 6);
    EXPECT_EQ(large->pixel(7, 0), quad->pixel(1, 0));
    EXPECT_EQ(large->pixel(7, 5), quad->pixel(1, 1)) << "clear, as in the picture";
    EXPECT_EQ(pictures.pictures().sized(*quad, 8, 6), large) << "made once";
}

TEST(PictureDrawing, ARectangleContainsWhatLiesWithinIt)
{
    PixelRect const outer { 10, 10, 20, 20 };
    EXPECT_TRUE(outer.contains({ 10, 10, 20, 20 }));
    EXPECT_TRUE(outer.contains({ 15, 15, 2, 2 }));
    EXPECT_TRUE(outer.contains({}));
    EXPECT_FALSE(outer.contains({ 9, 15, 2, 2 }));
    EXPECT_FALSE(outer.contains({ 25, 25, 6, 2 }));
}

} // namespace
} // namespace tolvane
