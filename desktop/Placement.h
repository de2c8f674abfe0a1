#pragma once

#include "draw/PixelRect.h"

namespace tolvane {

// Where a window's frame goes on the screen: wholly inside the work area (the screen less the
// desktop's panels) when it fits, and as near as it can be to where it was. A frame too wide or
// too tall for the work area goes to the work area's left or top edge, so that its title bar,
// its top-left corner and as much of it as can be seen are on the screen, and the rest runs off
// the right or the bottom.
PixelRect fit_frame(PixelRect frame, PixelRect work_area);

} // namespace tolvane
