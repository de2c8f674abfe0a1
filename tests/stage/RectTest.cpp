#include "stage/Rect.h"
#include "stage/Sprite.h"

#include <gtest/gtest.h>

namespace tolvane {
namespace {

struct OverlapCase {
    char const* what;
    Rect a;
    Rect b;
    bool overlaps;
    Rect common;
};

TEST(Overlap, AnswersLikeTheDesktopsIntersection)
{
    OverlapCase const cases[] = {
        { "touching along an edge", { 0, 0, 100, 100 }, { 100, 0, 200, 100 }, false, {} },
        { "touching at a corner", { 0, 0, 100, 100 }, { 100, 100, 200, 200 }, false, {} },
        { "sharing one twip", { 0, 0, 100, 100 }, { 99, 99, 200, 200 }, true, { 99, 99, 100, 100 } },
        { "one inside the other", { 0, 0, 100, 100 }, { 10, 20, 30, 40 }, true, { 10, 20, 30, 40 } },
        { "empty inside a larger one", { 0, 0, 100, 100 }, { 50, 50, 50, 60 }, false, {} },
        { "apart", { 0, 0, 10, 10 }, { 20, 20, 30, 30 }, false, {} },
        { "negative coordinates", { -50, -50, 0, 0 }, { -10, -10, 10, 10 }, true, { -10, -10, 0, 0 } },
    };
    for (auto const& c : cases) {
        for (bool const swapped : { false, true }) {
            Rect common { 1, 2, 3, 4 };
            bool const overlaps = swapped ? IntersectRect(common, c.b, c.a) : IntersectRect(common, c.a, c.b);
            EXPECT_EQ(overlaps, c.overlaps) << c.what << (swapped ? ", swapped" : "");
            EXPECT_EQ(common, c.common) << c.what << (swapped ? ", swapped" : "");
        }
    }
}

TEST(Overlap, SpriteRectanglesRoundEachEdgeFromTheExactSum)
{
    Image a({ .name = "a", .bounds = { 100.5f, 0, 50, 10 } });
    Image b({ .name = "b", .bounds = { 101.5f, 0, 50, 10 } });
    EXPECT_EQ(sprite_rect(a), (Rect { 100, 0, 150, 10 }));
    EXPECT_EQ(sprite_rect(b), (Rect { 102, 0, 152, 10 }));
}

TEST(Overlap, HiddenSpritesOverlapAndEmptyOnesNever)
{
    Image cover({ .name = "cover", .bounds = { 0, 0, 1000, 1000 }, .visible = false });
    Image flat({ .name = "flat", .bounds = { 10, 10, 0, 50 } });
    Image inside({ .name = "inside", .bounds = { 10, 10, 50, 50 } });
    EXPECT_TRUE(overlap(cover, inside));
    EXPECT_FALSE(overlap(cover, flat));
    EXPECT_FALSE(overlap(flat, cover));
}

} // namespace
} // namespace tolvane
