#include "desktop/XErrors.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace tolvane {

namespace {

XErrorSifter& sifter()
{
    static XErrorSifter errors;
    return errors;
}

// SDL talks to the X server over two connections. A window destroyed over one can still be named
// by a request on the other that the server reads later, such as the message SDL sends to wake
// its own event wait; the server then answers BadWindow. Another client can also destroy a window
// of ours while we still draw on it. Xlib's default handler would end the program for either.
// Such an error concerns a window that is gone, so it is passed over; any other is told once.
int note_error(Display* display, XErrorEvent* error)
{
    if (!sifter().worth_reporting(error->error_code, error->request_code, error->minor_code, error->resourceid))
        return 0;
    char text[128] = {};
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::fprintf(stderr, "tolvane: passing over an X error: %s (request %d.%d, resource 0x%lx)\n", text,
        error->request_code, error->minor_code, error->resourceid);
    return 0;
}

bool names_a_missing_window(int error_code) { return error_code == BadWindow || error_code == BadDrawable; }

// SDL hides a shown window before destroying it, and on X11 hiding waits for the server's notice
// that the window was unmapped. A window that another client destroyed is never unmapped again,
// and SDL can still take it for shown, so it would wait for ever. A notice put back at the head
// of Xlib's queue ends that wait at once; where SDL does not wait, SDL drops the notice later as
// one about a window it no longer has.
void end_the_wait_for_unmapping(Display* display, ::Window x_window)
{
    XEvent notice = {};
    notice.xunmap.type = UnmapNotify;
    notice.xunmap.display = display;
    notice.xunmap.event = x_window;
    notice.xunmap.window = x_window;
    XPutBackEvent(display, &notice);
}

} // namespace

void XErrorSifter::own(unsigned long x_window) { m_owned.push_back(x_window); }

void XErrorSifter::gone(unsigned long x_window) { m_gone.push_back(x_window); }

bool XErrorSifter::worth_reporting(int error_code, int request_code, int minor_code, unsigned long resource)
{
    if (std::ranges::find(m_gone, resource) != m_gone.end())
        return false;
    if (names_a_missing_window(error_code) && std::ranges::find(m_owned, resource) != m_owned.end())
        return false;
    // SDL asks where a window lies relative to its frame, which the window manager makes and
    // destroys as our windows are shown and hidden: a frame gone a moment ago is no fault.
    if (error_code == BadWindow && request_code == X_TranslateCoords)
        return false;
    Kind const kind { error_code, request_code, minor_code };
    if (std::ranges::find(m_reported, kind) != m_reported.end())
        return false;
    m_reported.push_back(kind);
    return true;
}

// SDL keeps the handler it finds when it opens the display and gives it back when it shuts down,
// before it closes its two connections; closing reads the server's last answers, such as an error
// about a wake-up that SDL sent to a window another client had destroyed, and these then come
// here rather than to Xlib's default handler, which would end the program with status 1.
void survive_stale_window_errors() { XSetErrorHandler(note_error); }

void own_x_window(unsigned long x_window)
{
    if (x_window != 0)
        sifter().own(x_window);
}

void pass_over_quietly(unsigned long x_window) { sifter().gone(x_window); }

// When SDL shuts down it gives Xlib its default handler back before it closes the connection,
// and closing waits for the server's last answers: an error still on its way then would end the
// program with Xlib's message and status 1. The wait before the window goes lets the server
// first take in what SDL's other connection may have sent to the window, such as its wake-up.
void destroy_window(SDL_Window* window, bool gone)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    bool const on_x11 = window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11;
    if (on_x11)
        XSync(info.info.x11.display, False);
    if (on_x11 && gone && (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN))
        end_the_wait_for_unmapping(info.info.x11.display, info.info.x11.window);
    SDL_DestroyWindow(window);
    if (on_x11)
        XSync(info.info.x11.display, False);
}

} // namespace tolvane
