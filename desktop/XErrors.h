#pragma once

#include <vector>

struct SDL_Window;

namespace tolvane {

// Decides which X errors the player is told of. Errors about a window of ours that is gone are
// expected: SDL's two connections to the server, and other clients that destroy windows, make
// them in normal play. They are passed over without a word. Any other error is reported, but
// only the first time an error of its kind (its code and the request that caused it) comes, so
// that a fault repeated every frame is still one line.
class XErrorSifter {
public:
    // A window this program made: once the server no longer knows it, errors naming it are
    // expected.
    void own(unsigned long x_window);
    // A window known to be gone: every error about it is expected.
    void gone(unsigned long x_window);
    // Whether an error is worth a line on standard error.
    bool worth_reporting(int error_code, int request_code, int minor_code, unsigned long resource);

private:
    struct Kind {
        int error_code;
        int request_code;
        int minor_code;
        bool operator==(Kind const&) const = default;
    };
    std::vector<unsigned long> m_owned;
    std::vector<unsigned long> m_gone;
    std::vector<Kind> m_reported;
};

// On X11, lets the program live through the X errors that a window closed a moment ago can
// cause, instead of Xlib's default of ending the process, and keeps the expected ones quiet.
// Called before SDL opens the display; harmless where there is no X.
void survive_stale_window_errors();

// Notes an X window that this program made.
void own_x_window(unsigned long x_window);

// Errors about an X window that is known to be gone are passed over without a word.
void pass_over_quietly(unsigned long x_window);

// Destroys an SDL window and, on X11, waits until the server has answered every request made so
// far, so that an error about the window comes while the program's own handler is in place.
// `gone`: another client has already destroyed the X window.
void destroy_window(SDL_Window* window, bool gone);

} // namespace tolvane
