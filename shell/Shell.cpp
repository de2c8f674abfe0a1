#include "shell/Shell.h"

#include "shell/Desktop.h"
#include "shell/EventLoop.h"
#include "shell/Fonts.h"
#include "shell/Pictures.h"
#include "shell/SteadyClock.h"

#include <SDL.h>

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string_view>

namespace tolvane {

namespace {

int fail(std::string_view message)
{
    std::cerr << "tolvane: " << message << '\n';
    return 1;
}

// SDL for as long as the program plays. The window surfaces are drawn in software: the
// renderer SDL would put behind them costs several times the processor for the same pixels.
// Closing windows is the stage's business, so SDL must not turn the last window's close button
// into a quit; a quit then only ever means a signal or the end of the desktop session.
class SdlVideo {
public:
    SdlVideo()
    {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A click on a window that is not active yet is a click like any other: SDL would drop
        // it, so Start after Help, or Reset while the help window is active, took two clicks.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        m_ready = SDL_Init(SDL_INIT_VIDEO) == 0;
    }
    ~SdlVideo()
    {
        if (m_ready)
            SDL_Quit();
    }
    SdlVideo(SdlVideo const&) = delete;
    SdlVideo& operator=(SdlVideo const&) = delete;

    bool ready() const { return m_ready; }

    // Without a desktop, SDL falls back to drivers that show nothing; the game would then run
    // unseen for ever.
    static bool shows_windows()
    {
        std::string_view const driver = SDL_GetCurrentVideoDriver();
        return driver != "offscreen" && driver != "dummy" && driver != "evdev";
    }

private:
    bool m_ready = false;
};

// A desktop session names its display in the environment. Without one there is nothing to ask
// SDL for, and asking would only add the display libraries' own complaints to ours.
bool desktop_named()
{
    auto const set = [](char const* variable) {
        char const* value = std::getenv(variable);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int play_on_desktop(
    std::function<void(Stage&)> const& add_windows, std::string_view startup_window, TickObserver* observer)
{
    if (!desktop_named())
        return fail("cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    SdlVideo video;
    if (!video.ready())
        return fail(std::string("cannot open the display: ") + SDL_GetError());
    if (!SdlVideo::shows_windows())
        return fail("cannot open the display: there is no desktop to show the windows on");
    std::string error;
    std::unique_ptr<Fonts> const fonts = Fonts::open(error);
    if (!fonts)
        return fail(error);
    Pictures pictures(std::cerr);
    SteadyClock clock;
    Desktop desktop(pictures, *fonts);
    Stage stage(clock, &desktop);
    desktop.attach(stage);
    add_windows(stage);
    try {
        stage.start(startup_window);
        EventLoop(stage, desktop, clock, observer).run();
    } catch (std::exception const& failure) {
        return fail(failure.what());
    }
    return 0;
}

} // namespace tolvane
