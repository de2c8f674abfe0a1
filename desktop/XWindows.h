#pragma once

#include <vector>

struct SDL_Window;

namespace tolvane {

// The X window behind an SDL window; 0 when the window is not on X11.
unsigned long x_window_of(SDL_Window* window);

// Takes a window off the desktop whatever state it is in, as ICCCM says: unmapped, and withdrawn
// from the window manager, so that no taskbar or window list keeps it and nothing can restore it.
// SDL hides only a window it takes for shown, and it takes a minimized window, or one on another
// workspace, for hidden already. Only on X11; elsewhere it does nothing.
void withdraw(SDL_Window* window);

// Whether the window manager may give a window the keyboard when it is next mapped. A window
// shown while the player types into another program must not take the keyboard from it: its
// user time of 0 says so (EWMH's _NET_WM_USER_TIME). Only on X11; elsewhere it does nothing.
void let_focus_on_map(SDL_Window* window, bool focus);

// A window whose design has no maximize button offers none: the window manager is asked, in the
// Motif hints that window managers read, for every other function of a frame (moving, resizing,
// minimizing, closing) and not for maximizing. SDL has no way to say it. Only on X11; elsewhere it
// does nothing, and the desktop undoes a maximize instead.
void offer_no_maximize(SDL_Window* window);

// Another X client can destroy a window of ours without asking (`xdotool windowclose` does).
// While watching, the X server's notice of a destroyed window wakes the event queue as an
// SDL_SYSWMEVENT, and the window is noted; the desktop's other raw messages are dropped before
// they reach the queue. Only on X11; elsewhere nothing is watched.
void watch_for_destroyed_windows();
void stop_watching_for_destroyed_windows();
// The X windows destroyed since the last call.
std::vector<unsigned long> take_destroyed_windows();

} // namespace tolvane
