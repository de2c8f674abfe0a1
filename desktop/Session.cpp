#include "desktop/Session.h"

#include "cli/Quoting.h"
#include "desktop/Desktop.h"
#include "desktop/DesktopFonts.h"
#include "desktop/EventLoop.h"
#include "desktop/Platform.h"
#include "desktop/QuietStandardError.h"
#include "desktop/Settings.h"
#include "desktop/Sound.h"
#include "draw/Fonts.h"
#include "draw/Pictures.h"
#include "play/PausableClock.h"
#include "play/PlayerInput.h"
#include "play/Scale.h"
#include "play/StageTime.h"
#include "play/SteadyClock.h"
#include "play/TimedInput.h"

#include <SDL.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

namespace tolvane {

namespace {

int fail(std::string_view message)
{
    std::cerr << "tolvane: " << message << '\n';
    return 1;
}

// The desktop to open: the display the session names in the environment, and the SDL video
// driver that speaks to it. An X display is opened as X even where Wayland is there too, as SDL
// itself prefers; naming the driver keeps SDL from probing the others, whose libraries print
// complaints of their own (Wayland's about XDG_RUNTIME_DIR) that the user has no use for. A driver
// the user chose through SDL_VIDEODRIVER is left as it is.
struct DesktopName {
    std::string display;
    char const* driver = nullptr;
};

std::optional<DesktopName> desktop_named()
{
#ifdef _WIN32
    // Windows has one desktop, and SDL one driver for it.
    return DesktopName { "the Windows desktop", nullptr };
#else
    auto const variable = [](char const* name) -> std::string {
        char const* value = std::getenv(name);
        return value ? value : "";
    };
    bool const driver_chosen = !variable("SDL_VIDEODRIVER").empty();
    if (std::string display = variable("DISPLAY"); !display.empty())
        return DesktopName { std::move(display), driver_chosen ? nullptr : "x11" };
    if (std::string display = variable("WAYLAND_DISPLAY"); !display.empty())
        return DesktopName { std::move(display), driver_chosen ? nullptr : "wayland" };
    return std::nullopt;
#endif
}

// SDL for as long as the program plays. The window surfaces are drawn in software: the
// renderer SDL would put behind them costs several times the processor for the same pixels.
// Closing windows is the stage's business, so SDL must not turn the last window's close button
// into a quit; a quit then only ever means a signal or the end of the desktop session.
class SdlVideo {
public:
    explicit SdlVideo(char const* driver)
    {
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
        // A click on a window that is not active yet is a click like any other: SDL would drop
        // it, so Start after Help, or Reset while the help window is active, took two clicks.
        SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
        if (driver)
            SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
        QuietStandardError const quiet;
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

// The terminal the box set was started from going away (SIGHUP) ends it as SIGTERM does, with its
// journal finished; a SIGHUP that whoever started it ignores (nohup) stays ignored. SDL turns
// SIGINT and SIGTERM into a quit but not SIGHUP, which is therefore passed on as SIGTERM. Windows
// has no such signal: a program for its desktop has no terminal to lose.
#ifdef SIGHUP
extern "C" void on_hang_up(int) { std::raise(SIGTERM); }

void end_on_hang_up()
{
    struct sigaction current = {};
    if (sigaction(SIGHUP, nullptr, &current) == 0 && current.sa_handler != SIG_IGN)
        std::signal(SIGHUP, on_hang_up);
}
#else
void end_on_hang_up() { }
#endif

// The replay ends when its script does, or when the user closes a window or the program is
// asked to quit, which is an ordinary end too.
int play_replay(Session const& session, Stage& stage, StageTime& time, Desktop& desktop, Clock const& real)
{
    Replay replay(stage, time.clock(), desktop, real, session.speed);
    try {
        int const status = session.replay(replay);
        replay.repaint();
        return status;
    } catch (Replay::Stopped const&) {
        return 0;
    }
}

} // namespace

int play_on_desktop(
    std::function<void(Stage&)> const& add_windows, std::string_view startup_window, Session const& session)
{
    std::optional<DesktopName> const desktop_name = desktop_named();
    if (!desktop_name)
        return fail("cannot open the display: neither DISPLAY nor WAYLAND_DISPLAY is set");
    // Before SDL opens the display, so that SDL keeps this handler and gives it back at shutdown.
    survive_stale_window_errors();
    SdlVideo video(desktop_name->driver);
    if (!video.ready() || !SdlVideo::shows_windows())
        return fail("cannot open display \"" + escaped(desktop_name->display) + "\"");
    end_on_hang_up();
    std::string error;
    std::unique_ptr<Fonts> const fonts = open_desktop_fonts(error);
    if (!fonts)
        return fail(error);
    std::unique_ptr<Journal> const journal = session.open_journal ? session.open_journal(error) : nullptr;
    if (session.open_journal && !journal) {
        fail("cannot record: " + error);
        return 2;
    }
    Pictures pictures(std::cerr);
    SteadyClock steady_clock;
    // The loop's own clock stands still while the box set is paused; the stage's is set from it.
    PausableClock clock(steady_clock);
    StageTime time(clock, journal.get());
    // A scale the player chose on the command line is kept; the desktop's own gives way where a
    // window would not fit the screen.
    Desktop desktop(pictures, *fonts,
        WindowScale { .chosen = session.scale.value_or(desktop_scale()), .fit_work_area = !session.scale });
    bool const muted = session.muted || read_settings(settings_path(), std::cerr).muted;
    Sound sound(desktop, muted, std::cerr);
    Stage stage(time.clock(), &sound);
    TimedInput input(stage, time);
    PlayerInput player(stage, input, clock, muted);
    desktop.attach(stage, player);
    sound.attach(stage);
    // Ctrl+M's choice is kept for the next run.
    player.on_mute_changed([&sound](bool now_muted) {
        sound.set_muted(now_muted);
        write_settings(settings_path(), Settings { .muted = now_muted });
    });
    add_windows(stage);
    try {
        stage.start(startup_window);
        if (session.replay)
            return play_replay(session, stage, time, desktop, clock);
        EventLoop loop(stage, desktop, time, session.observer);
        loop.before_waiting([&sound, &desktop] { sound.set_paused(desktop.paused()); });
        loop.run();
    } catch (std::exception const& failure) {
        return fail(failure.what());
    }
    if (journal)
        journal->finish(time.stage_us(), session.state(stage));
    return 0;
}

} // namespace tolvane
