#include "desktop/Platform.h"

#include "desktop/DesktopScale.h"
#include "desktop/XErrors.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <utility>

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

std::string x_resources()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    char const* resources = XResourceManagerString(display);
    std::string text = resources ? resources : "";
    XCloseDisplay(display);
    return text;
}

std::vector<unsigned long>& destroyed()
{
    static std::vector<unsigned long> windows;
    return windows;
}

// Runs as SDL queues each event. The raw message lives only as long as the event is being
// queued, and a queued event's copy can be overwritten by events queued while earlier ones are
// handled, so the destroyed window is noted here and the event itself only wakes the queue.
int keep_destroy_notices(void*, SDL_Event* event)
{
    if (event->type != SDL_SYSWMEVENT)
        return 1;
    SDL_SysWMmsg const* message = event->syswm.msg;
    if (!message || message->subsystem != SDL_SYSWM_X11 || message->msg.x11.event.type != DestroyNotify)
        return 0;
    destroyed().push_back(message->msg.x11.event.xdestroywindow.window);
    return 1;
}

} // namespace

void attach_to_the_starting_console() { }

double desktop_scale()
{
    char const* gdk_scale = std::getenv("GDK_SCALE");
    std::string_view const given = gdk_scale ? gdk_scale : "";
    if (gdk_scale_of(given))
        return desktop_scale(given, {});
    char const* display = std::getenv("DISPLAY");
    return desktop_scale(given, display && *display ? x_resources() : std::string());
}

// SDL reads the work area from the window manager's _NET_WORKAREA.
PixelRect work_area(int display)
{
    SDL_Rect area;
    if (display < 0 || SDL_GetDisplayUsableBounds(display, &area) != 0)
        return {};
    return { area.x, area.y, area.w, area.h };
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

unsigned long x_window_of(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return 0;
    return info.info.x11.window;
}

void withdraw(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display* display = info.info.x11.display;
    XWithdrawWindow(display, info.info.x11.window, XDefaultScreen(display));
    XFlush(display);
}

void let_focus_on_map(SDL_Window* window, bool focus)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    Display* display = info.info.x11.display;
    Atom const user_time = XInternAtom(display, "_NET_WM_USER_TIME", False);
    if (focus) {
        XDeleteProperty(display, info.info.x11.window, user_time);
        return;
    }
    long const never = 0;
    XChangeProperty(display, info.info.x11.window, user_time, XA_CARDINAL, 32, PropModeReplace,
        reinterpret_cast<unsigned char const*>(&never), 1);
}

void offer_no_maximize(SDL_Window* window)
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11)
        return;
    // The Motif hints: flags, functions, decorations, input mode, status.
    constexpr long functions_given = 1L << 0;
    constexpr long resize = 1L << 1;
    constexpr long move = 1L << 2;
    constexpr long minimize = 1L << 3;
    constexpr long close = 1L << 5;
    long const hints[5] = { functions_given, resize | move | minimize | close, 0, 0, 0 };
    Display* display = info.info.x11.display;
    Atom const motif_hints = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, info.info.x11.window, motif_hints, motif_hints, 32, PropModeReplace,
        reinterpret_cast<unsigned char const*>(hints), 5);
}

void watch_for_destroyed_windows()
{
    SDL_SetEventFilter(keep_destroy_notices, nullptr);
    SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
}

void stop_watching_for_destroyed_windows()
{
    SDL_EventState(SDL_SYSWMEVENT, SDL_IGNORE);
    SDL_SetEventFilter(nullptr, nullptr);
    destroyed().clear();
}

std::vector<unsigned long> take_destroyed_windows() { return std::exchange(destroyed(), {}); }

} // namespace tolvane
