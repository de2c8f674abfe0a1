#pragma once

#include <optional>
#include <string_view>

namespace tolvane {

// The scale an X desktop asks for (desktop_scale() in Platform.h reads it there): GDK_SCALE when
// it is a whole number, else the X resources' Xft.dpi over 96, else 1; always inside the range of
// play/Scale.h. The X resources are read through a display connection of their own, and only
// when GDK_SCALE says nothing.

// The scale from the desktop's own settings in `gdk_scale` (GDK_SCALE's value, empty when unset)
// and `x_resources` (the X resource manager's string, empty when there is none).
double desktop_scale(std::string_view gdk_scale, std::string_view x_resources);

// GDK_SCALE's value as a scale, when it is one.
std::optional<double> gdk_scale_of(std::string_view text);

} // namespace tolvane
