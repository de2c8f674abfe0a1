#include "desktop/XWindows.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <utility>

namespace tolvane {

namespace {

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
