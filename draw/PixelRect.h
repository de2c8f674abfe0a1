#pragma once

#include <algorithm>

namespace tolvane {

// A rectangle of whole pixels on a window's client area: x and y of its top-left corner, its
// width and its height. Sprites far outside the window keep sensible values because the painter
// clamps twips before they become pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    int right() const { return x + w; }
    int bottom() const { return y + h; }
    bool empty() const { return w <= 0 || h <= 0; }
    bool operator==(PixelRect const&) const = default;

    PixelRect intersect(PixelRect const& other) const
    {
        int const left = std::max(x, other.x);
        int const top = std::max(y, other.y);
        int const r = std::min(right(), other.right());
        int const b = std::min(bottom(), other.bottom());
        if (r <= left || b <= top)
            return {};
        return { left, top, r - left, b - top };
    }

    PixelRect unite(PixelRect const& other) const
    {
        if (empty())
            return other;
        if (other.empty())
            return *this;
        int const left = std::min(x, other.x);
        int const top = std::min(y, other.y);
        return { left, top, std::max(right(), other.right()) - left, std::max(bottom(), other.bottom()) - top };
    }

    // Whether every pixel of `inner` lies inside this rectangle; an empty one lies anywhere.
    bool contains(PixelRect const& inner) const
    {
        return inner.empty()
            || (x <= inner.x && y <= inner.y && inner.right() <= right() && inner.bottom() <= bottom());
    }

    bool touches(PixelRect const& other) const
    {
        return x <= other.right() && other.x <= right() && y <= other.bottom() && other.y <= bottom();
    }
};

} // namespace tolvane
