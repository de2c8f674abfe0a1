#pragma once

#include <cstdint>

namespace tolvane {

class Sprite;

// A rectangle in whole twips; right and bottom lie just outside it.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool empty() const { return right <= left || bottom <= top; }
    bool operator==(Rect const&) const = default;
};

// The desktop's rectangle intersection: non-zero when the two sources share at least one twip
// in both directions. The destination receives the common part, or four zeros.
std::int32_t IntersectRect(Rect& destination, Rect const& first, Rect const& second);

// A sprite's rectangle as every collision check forms it: each edge rounded from the exact float
// sum, ties to even; Visible and Enabled play no part.
Rect sprite_rect(Sprite const&);

// Forms the first sprite's rectangle, then the second's, and tests them.
bool overlap(Sprite const& first, Sprite const& second);

} // namespace tolvane
