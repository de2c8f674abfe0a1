#include "desktop/Placement.h"
#include "draw/Painter.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

TEST(Placement, AFrameGoesInsideTheWorkAreaWhenItFitsElseToItsTopLeft)
{
    PixelRect const work_area { 0, 24, 800, 576 }; // an 800 x 600 screen under a 24-pixel panel
    struct Case {
        PixelRect frame;
        PixelRect placed;
    };
    for (Case c : {
             Case { { 100, 100, 300, 200 }, { 100, 100, 300, 200 } }, // inside: stays
             Case { { -20, 0, 300, 200 }, { 0, 24, 300, 200 } }, // past the top-left: pushed in
             Case { { 600, 500, 300, 200 }, { 500, 400, 300, 200 } }, // past the bottom-right: pulled in
             Case { { 500, 400, 300, 176 }, { 500, 400, 300, 176 } }, // touching the bottom edge: stays
             Case { { 21, -59, 760, 743 }, { 21, 24, 760, 743 } }, // too tall: title bar at the top
             Case { { 300, 100, 900, 200 }, { 0, 100, 900, 200 } }, // too wide: to the left edge
             Case { { 50, 50, 1000, 1000 }, { 0, 24, 1000, 1000 } }, // too large: top-left corner
         })
        EXPECT_EQ(fit_frame(c.frame, work_area), c.placed)
            << c.frame.x << "," << c.frame.y << " " << c.frame.w << "x" << c.frame.h;
    EXPECT_EQ(fit_frame({ -5, -5, 10, 10 }, {}), (PixelRect { -5, -5, 10, 10 })) << "no work area known: left alone";
}

// The selection window's client area, 758 by 718 pixels at scale 1, under a title bar of 24 pixels
// and sides of 1.
TEST(Placement, AWindowTooLargeForTheWorkAreaIsDrawnAtTheLargestScaleAtWhichItFits)
{
    int const width = 758 * 15;
    int const height = 718 * 15;
    FrameBorders const frame { .top = 24, .left = 1, .bottom = 1, .right = 1 };
    struct Case {
        char const* what;
        PixelRect work_area;
        double chosen;
        double scale;
    };
    for (Case const c : {
             Case { "it fits", { 0, 0, 1280, 1024 }, 1, 1 },
             Case { "it fits at a scale chosen below 1, kept as it is", { 0, 0, 1280, 1024 }, 0.73, 0.73 },
             Case { "800 by 600: too tall", { 0, 0, 800, 600 }, 1, 0.8 },
             Case { "a laptop under a panel of 40 pixels", { 0, 0, 1366, 728 }, 1, 0.95 },
             Case { "twice the density on the same laptop", { 0, 0, 2732, 1456 }, 2, 1.95 },
             Case { "a screen too small even for the smallest scale", { 0, 0, 320, 200 }, 1, 0.5 },
             Case { "no work area known", {}, 1.5, 1.5 },
         }) {
        double const scale = fitting_scale(width, height, frame, c.work_area, c.chosen);
        EXPECT_DOUBLE_EQ(scale, c.scale) << c.what;
        if (scale < c.chosen && scale > 0.5) {
            EXPECT_LE(Painter::to_pixels(height, scale) + 25, c.work_area.h) << c.what;
            EXPECT_GT(Painter::to_pixels(height, scale + 0.05) + 25, c.work_area.h)
                << c.what << ": a larger step fits too";
        }
    }
}

} // namespace
} // namespace tolvane
