#pragma once

#include <optional>
#include <string_view>

namespace tolvane {

// How many screen pixels a front end draws for each pixel of the design (15 twips): 1 on a usual
// screen, 2 on a screen of twice the density. Any factor in this range, fractions too, may be
// chosen; the desktop and the page keep to the same one.
constexpr double smallest_scale = 0.5;
constexpr double largest_scale = 4;

// The factor a text such as "1.5" gives, or nothing when it is not a number in the range.
std::optional<double> scale_of(std::string_view text);

// A number the text is exactly, with nothing before or after it, or nothing.
std::optional<double> number_of(std::string_view text);

} // namespace tolvane
