#include "desktop/Desktop.h"

#include "desktop/Keys.h"
#include "desktop/Platform.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

namespace tolvane {

namespace {

constexpr std::string_view icon_picture = "icon/tolvane-48";

// The desktop numbers the secondary button 3 and the middle one 2; the stage, like the
// program, the other way round.
int stage_button(std::uint8_t button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return 1;
    case SDL_BUTTON_RIGHT:
        return 2;
    case SDL_BUTTON_MIDDLE:
        return 3;
    default:
        return 0;
    }
}

} // namespace

Desktop::Desktop(Pictures& pictures, Fonts const& fonts, WindowScale scale)
    : m_pictures(pictures)
    , m_scale(scale)
    , m_painter(pictures, fonts, scale.chosen)
{
    if (char const* driver = SDL_GetCurrentVideoDriver(); driver && std::string_view(driver) == "x11") {
        survive_stale_window_errors();
        watch_for_destroyed_windows();
        m_watching_x = true;
    }
}

Desktop::~Desktop()
{
    m_windows.clear();
    if (m_watching_x)
        stop_watching_for_destroyed_windows();
}

void Desktop::attach(Stage& stage, PlayerInput& player)
{
    m_stage = &stage;
    m_player = &player;
    m_player->on_pause_changed([this](bool paused) { show_paused(paused); });
}

DesktopWindow* Desktop::find(Window const& window) const
{
    auto const found = std::find_if(m_windows.begin(), m_windows.end(),
        [&](std::unique_ptr<DesktopWindow> const& w) { return &w->window() == &window; });
    return found == m_windows.end() ? nullptr : found->get();
}

DesktopWindow* Desktop::find(std::uint32_t id) const
{
    auto const found = std::find_if(
        m_windows.begin(), m_windows.end(), [&](std::unique_ptr<DesktopWindow> const& w) { return w->id() == id; });
    return found == m_windows.end() ? nullptr : found->get();
}

DesktopWindow* Desktop::find_x_window(unsigned long x_window) const
{
    auto const found = std::find_if(m_windows.begin(), m_windows.end(),
        [&](std::unique_ptr<DesktopWindow> const& w) { return x_window != 0 && w->x_window() == x_window; });
    return found == m_windows.end() ? nullptr : found->get();
}

void Desktop::window_loaded(Window& window)
{
    m_windows.push_back(std::make_unique<DesktopWindow>(window, m_pictures.find(icon_picture), m_scale));
    m_windows.back()->show_paused(paused());
}

void Desktop::window_unloading(Window& window)
{
    if (m_player)
        m_player->window_unloading(window);
    std::erase_if(m_windows, [&](std::unique_ptr<DesktopWindow> const& w) { return &w->window() == &window; });
}

void Desktop::window_shown(Window& window)
{
    if (DesktopWindow* shown = find(window))
        shown->show(m_has_keyboard);
}

void Desktop::window_hidden(Window& window)
{
    if (DesktopWindow* hidden = find(window))
        hidden->hide();
}

// The stage's active window is raised, and so given the keyboard, only while the box set has the
// keyboard: raising it while the player types into another program would take the keys from it.
void Desktop::window_activated(Window& window)
{
    DesktopWindow* active = find(window);
    if (active && m_has_keyboard)
        active->raise();
}

void Desktop::window_resized(Window& window)
{
    if (DesktopWindow* resized = find(window))
        resized->follow_size();
}

void Desktop::repaint()
{
    for (auto const& desktop_window : m_windows) {
        Window const& window = desktop_window->window();
        if (!window.visible())
            continue;
        ButtonLook const look { .active = m_stage && m_stage->active() == &window,
            .pressed = m_player ? m_player->held_in(window) : nullptr };
        desktop_window->repaint(m_painter, look);
    }
}

void Desktop::handle(SDL_Event const& event)
{
    if (!m_stage || !m_player)
        return;
    switch (event.type) {
    case SDL_QUIT:
        m_quit = true;
        break;
    case SDL_WINDOWEVENT:
        on_window_event(event.window);
        break;
    case SDL_SYSWMEVENT:
        close_destroyed_windows();
        break;
    case SDL_KEYDOWN:
        on_key_down(event.key);
        break;
    case SDL_MOUSEBUTTONDOWN:
        on_button_down(event.button);
        break;
    case SDL_MOUSEBUTTONUP:
        on_button_up(event.button);
        break;
    default:
        break;
    }
}

// Another client destroyed windows of ours without asking, as `xdotool windowclose` does. A
// window destroyed from outside is a window closed: the program hears it as a use of the close
// box, so the last visible window destroyed ends the program. Nothing is drawn on a destroyed
// window any more, and what the server says about it is passed over quietly.
void Desktop::close_destroyed_windows()
{
    for (unsigned long const x_window : take_destroyed_windows())
        if (DesktopWindow* gone = find_x_window(x_window))
            close_destroyed(*gone);
}

void Desktop::close_destroyed(DesktopWindow& gone)
{
    pass_over_quietly(gone.x_window());
    gone.lost();
    std::uint32_t const id = gone.id();
    m_player->close(gone.window());
    if (!m_stage->ended() && find(id))
        renew(gone);
}

// A hidden window cannot be closed, so it stays loaded with its sprites and timer; it gets a new
// real window, hidden like itself and at its scale, for the time the program shows it again.
void Desktop::renew(DesktopWindow& gone)
{
    Window& window = gone.window();
    auto const place = std::find_if(
        m_windows.begin(), m_windows.end(), [&](std::unique_ptr<DesktopWindow> const& w) { return w.get() == &gone; });
    *place = std::make_unique<DesktopWindow>(
        window, m_pictures.find(icon_picture), WindowScale { .chosen = gone.scale(), .fit_work_area = false });
    (*place)->show_paused(paused());
    if (window.visible())
        (*place)->show(m_has_keyboard);
}

// Events can still arrive for a window that was destroyed a moment ago; they are dropped. So is
// everything about a window that the program does not show: only, should something outside map
// it again, it goes straight back off the desktop.
void Desktop::on_window_event(SDL_WindowEvent const& event)
{
    DesktopWindow* desktop_window = find(event.windowID);
    if (!desktop_window)
        return;
    Window& window = desktop_window->window();
    if (!window.visible()) {
        keep_hidden(*desktop_window, event);
        return;
    }
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        m_player->close(window);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        note_minimized();
        desktop_window->settle_position();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        m_player->resize(window, desktop_window->client_twips(event.data1, window.client_width()),
            desktop_window->client_twips(event.data2, window.client_height()));
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        desktop_window->settle_position();
        desktop_window->present_all();
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_has_keyboard = true;
        m_player->keyboard_to(window);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        m_has_keyboard = false;
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        desktop_window->refuse_maximize();
        break;
    default:
        desktop_window->settle_position();
        break;
    }
}

void Desktop::keep_hidden(DesktopWindow& hidden, SDL_WindowEvent const& event)
{
    switch (event.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_MAXIMIZED:
        hidden.hide();
        break;
    default:
        break;
    }
}

// Keys go to the window the desktop gave the keyboard to, if it is one of ours.
void Desktop::on_key_down(SDL_KeyboardEvent const& event)
{
    DesktopWindow* target = find(event.windowID);
    Keystroke const key { .code = virtual_key(event.keysym.sym),
        .ctrl = (event.keysym.mod & KMOD_CTRL) != 0,
        .alt = (event.keysym.mod & (KMOD_ALT | KMOD_GUI)) != 0,
        .repeat = event.repeat != 0 };
    m_player->key_down(target ? &target->window() : nullptr, key);
}

void Desktop::on_button_down(SDL_MouseButtonEvent const& event)
{
    DesktopWindow* target = find(event.windowID);
    int const button = stage_button(event.button);
    if (target && button != 0)
        m_player->mouse_press(target->window(), target->twips(event.x), target->twips(event.y), button);
}

// The desktop sends the release to the window that took the press, wherever the pointer is;
// the stage needs to know whether the pointer is still over that window.
void Desktop::on_button_up(SDL_MouseButtonEvent const& event)
{
    int const button = stage_button(event.button);
    if (button == 0)
        return;
    DesktopWindow* target = find(event.windowID);
    double const scale = target ? target->scale() : m_scale.chosen;
    bool const over_shown = target && target->window().visible() && target->contains(event.x, event.y);
    m_player->mouse_release(
        over_shown ? &target->window() : nullptr, twips_of(event.x, scale), twips_of(event.y, scale), button);
}

// Minimizing every window the box set shows pauses it, as the Pause key does; restoring one of
// them resumes it, unless the Pause key paused it too.
void Desktop::note_minimized()
{
    bool any_shown = false;
    bool all_minimized = true;
    for (auto const& desktop_window : m_windows) {
        if (!desktop_window->window().visible())
            continue;
        any_shown = true;
        all_minimized = all_minimized && desktop_window->minimized();
    }
    m_player->set_out_of_sight(any_shown && all_minimized);
}

void Desktop::show_paused(bool paused)
{
    for (auto const& desktop_window : m_windows)
        desktop_window->show_paused(paused);
    if (!paused)
        catch_up_sizes();
}

// A window resized during a pause tells the stage its new size as the pause ends.
void Desktop::catch_up_sizes()
{
    for (auto const& desktop_window : m_windows) {
        Window& window = desktop_window->window();
        PixelRect const size = desktop_window->client_size();
        if (!size.empty())
            m_player->resize(window, desktop_window->client_twips(size.w, window.client_width()),
                desktop_window->client_twips(size.h, window.client_height()));
    }
}

} // namespace tolvane
