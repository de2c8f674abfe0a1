#pragma once

#include <optional>
#include <string_view>

namespace tolvane {

// How many screen pixels the shell draws for each pixel of the design (15 twips): 1 on a usual
// screen, 2 on a screen of twice the density. Any factor in this range, fractions too, may be
// chosen.
constexpr double smallest_scale = 0.5;
constexpr double largest_scale = 4;

// The factor a text such as "1.5" gives, or nothing when it is not a number in the range.
std::optional<double> scale_of(std::string_view text);

// The scale the desktop itself asks for: GDK_SCALE when it is a whole number, else the X
// resources' Xft.dpi over 96, else 1; always inside the range. Reads the X resources through a
// display connection of its own, and only when GDK_SCALE says nothing.
double desktop_scale();

// The scale from the desktop's own settings in `gdk_scale` (GDK_SCALE's value, empty when unset)
// and `x_resources` (the X resource manager's string, empty when there is none).
double desktop_scale(std::string_view gdk_scale, std::string_view x_resources);

} // namespace tolvane
