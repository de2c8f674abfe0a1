#pragma once

#include "draw/PixelRect.h"

namespace tolvane {

// Where a window's frame goes on the screen: wholly inside the work area (the screen less the
// desktop's panels) when it fits, and as near as it can be to where it was. A frame too wide or
// too tall for the work area goes to the work area's left or top edge, so that its title bar,
// its top-left corner and as much of it as can be seen are on the screen, and the rest runs off
// the right or the bottom.
PixelRect fit_frame(PixelRect frame, PixelRect work_area);

// The frame that the window manager puts around a client area, in pixels on each side.
struct FrameBorders {
    int top = 0;
    int left = 0;
    int bottom = 0;
    int right = 0;

    bool operator==(FrameBorders const&) const = default;
};

// The scale a window of `client_width` by `client_height` twips is drawn at so that its frame fits
// the work area: `chosen` when it fits at that scale, else the largest scale below it at which it
// does, in steps of 0.05 so that the windows of one screen share a few scales; never below the
// smallest scale, where a window that still does not fit keeps its title bar on the screen.
double fitting_scale(int client_width, int client_height, FrameBorders borders, PixelRect work_area, double chosen);

} // namespace tolvane
