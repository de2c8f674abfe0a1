#pragma once

struct SDL_Window;

namespace tolvane {

// On X11, lets the program live through the X errors that a window closed a moment ago can
// cause, instead of Xlib's default of ending the process. Elsewhere it does nothing.
void survive_stale_window_errors();

// Errors about an X window that is known to be gone are passed over without a word.
void pass_over_quietly(unsigned long x_window);

// Destroys an SDL window and, on X11, waits until the server has answered every request made so
// far, so that an error about the window comes while the program's own handler is in place.
// `gone`: another client has already destroyed the X window.
void destroy_window(SDL_Window* window, bool gone);

} // namespace tolvane
