#include "desktop/Placement.h"

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

} // namespace
} // namespace tolvane
