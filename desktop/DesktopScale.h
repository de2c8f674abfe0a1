#pragma once

#include <string_view>

namespace tolvane {

// The scale the desktop itself asks for: GDK_SCALE when it is a whole number, else the X
// resources' Xft.dpi over 96, else 1; always inside the range of play/Scale.h. Reads the X
// resources through a display connection of its own, and only when GDK_SCALE says nothing.
double desktop_scale();

// The scale from the desktop's own settings in `gdk_scale` (GDK_SCALE's value, empty when unset)
// and `x_resources` (the X resource manager's string, empty when there is none).
double desktop_scale(std::string_view gdk_scale, std::string_view x_resources);

} // namespace tolvane
