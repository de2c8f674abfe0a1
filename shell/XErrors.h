#pragma once

namespace tolvane {

// On X11, lets the program live through the X errors that a window closed a moment ago can
// cause, instead of Xlib's default of ending the process. Elsewhere it does nothing.
void survive_stale_window_errors();

} // namespace tolvane
