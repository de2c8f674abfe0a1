#include "stage/Rect.h"

#include "stage/Numbers.h"
#include "stage/Sprite.h"

#include <algorithm>

namespace tolvane {

std::int32_t IntersectRect(Rect& destination, Rect const& first, Rect const& second)
{
    destination = {};
    if (first.empty() || second.empty())
        return 0;
    if (first.left >= second.right || second.left >= first.right || first.top >= second.bottom
        || second.top >= first.bottom)
        return 0;
    destination = { std::max(first.left, second.left), std::max(first.top, second.top),
        std::min(first.right, second.right), std::min(first.bottom, second.bottom) };
    return 1;
}

Rect sprite_rect(Sprite const& sprite)
{
    return { to_int32(sprite.Left), to_int32(sprite.Top), to_int32(sprite.Left + sprite.Width),
        to_int32(sprite.Top + sprite.Height) };
}

bool overlap(Sprite const& first, Sprite const& second)
{
    Rect const a = sprite_rect(first);
    Rect const b = sprite_rect(second);
    Rect common;
    return IntersectRect(common, a, b) != 0;
}

} // namespace tolvane
