#pragma once

#include "draw/PixelRect.h"

#include <vector>

struct SDL_Window;

namespace tolvane {

// What the desktop needs from the windowing system beneath SDL that SDL does not say or do. One
// implementation for X11 (X11Platform.cpp) and one for Windows (WindowsPlatform.cpp); the build
// links the one of the system it builds for. What a system has no use for does nothing there.

// Binds the program's standard streams to the console it was started from, where the system
// gives it none: on Windows, a program for the desktop (the GUI subsystem, which opens no console
// window when started from Explorer) has no console of its own, and --help and --version would
// print nowhere. Streams already redirected to a file or a pipe are kept. Lines end in a line
// feed alone there too, as every reader of the program's answers expects. Elsewhere it does
// nothing.
void attach_to_the_starting_console();

// The scale the desktop itself asks for, always inside the range of play/Scale.h. On X11:
// GDK_SCALE when it is a whole number, else the X resources' Xft.dpi over 96, else 1
// (DesktopScale.h). On Windows: the primary screen's DPI over 96, as the program is aware of each
// screen's DPI (its manifest says so); GDK_SCALE means nothing there.
double desktop_scale();

// The usable part of a display: the screen less the desktop's panels (on Windows, the taskbar).
PixelRect work_area(int display);

// On X11, lets the program live through the X errors that a window closed a moment ago can
// cause, instead of Xlib's default of ending the process, and keeps the expected ones quiet.
// Called before SDL opens the display; harmless where there is no X.
void survive_stale_window_errors();

// The X window behind an SDL window; 0 when the window is not on X11.
unsigned long x_window_of(SDL_Window* window);

// Notes an X window that this program made.
void own_x_window(unsigned long x_window);

// Errors about an X window that is known to be gone are passed over without a word.
void pass_over_quietly(unsigned long x_window);

// Destroys an SDL window and, on X11, waits until the server has answered every request made so
// far, so that an error about the window comes while the program's own handler is in place.
// `gone`: another client has already destroyed the X window.
void destroy_window(SDL_Window* window, bool gone);

// Takes a window off the desktop whatever state it is in, as ICCCM says: unmapped, and withdrawn
// from the window manager, so that no taskbar or window list keeps it and nothing can restore it.
// SDL hides only a window it takes for shown, and it takes a minimized window, or one on another
// workspace, for hidden already. On Windows the window is hidden, minimized or not.
void withdraw(SDL_Window* window);

// Whether the window manager may give a window the keyboard when it is next mapped. A window
// shown while the player types into another program must not take the keyboard from it: its
// user time of 0 says so (EWMH's _NET_WM_USER_TIME). Only on X11; Windows itself keeps a program
// that is not in the foreground from taking the keyboard.
void let_focus_on_map(SDL_Window* window, bool focus);

// A window whose design has no maximize button offers none, which SDL has no way to say. On X11
// the window manager is asked, in the Motif hints that window managers read, for every other
// function of a frame (moving, resizing, minimizing, closing) and not for maximizing; on Windows
// the window's style loses its maximize box. The desktop undoes a maximize all the same, for a
// window manager that offers it anyway.
void offer_no_maximize(SDL_Window* window);

// Another X client can destroy a window of ours without asking (`xdotool windowclose` does).
// While watching, the X server's notice of a destroyed window wakes the event queue as an
// SDL_SYSWMEVENT, and the window is noted; the desktop's other raw messages are dropped before
// they reach the queue. Only on X11: on Windows only the program itself can destroy its windows,
// and nothing is watched.
void watch_for_destroyed_windows();
void stop_watching_for_destroyed_windows();
// The X windows destroyed since the last call.
std::vector<unsigned long> take_destroyed_windows();

} // namespace tolvane
