#include "shell/Desktop.h"

#include "shell/Keys.h"
#include "shell/XErrors.h"
#include "shell/XWindows.h"

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

Desktop::Desktop(Pictures& pictures, Fonts const& fonts, double scale)
    : m_pictures(pictures)
    , m_painter(pictures, fonts, scale)
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

// The stage measures in twips; a pixel is taken at its centre. At scale 1 that is 15 twips a
// pixel, and the centre of pixel p lies at 15p + 7.5, never on a sprite's edge. At other scales a
// centre can fall exactly on an edge, where the painter rounds the edge up: the pixel is drawn as
// the sprite to the left of the edge, or above it. The stage counts the edge in the sprite to the
// right, so the centre is taken a hair to the left, and a click lands on the sprite it is seen on.
double Desktop::twips(int pixel) const
{
    double const centre = (pixel + 0.5) * 15 / scale();
    return scale() == 1 ? centre : std::nextafter(centre, -std::numeric_limits<double>::infinity());
}

int Desktop::size_twips(int pixels) const { return static_cast<int>(std::lround(pixels * 15 / scale())); }

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
    m_windows.push_back(std::make_unique<DesktopWindow>(window, m_pictures.find(icon_picture), scale()));
    m_windows.back()->show_paused(paused());
}

void Desktop::window_unloading(Window& window)
{
    m_held.forget(window);
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
        desktop_window->repaint(m_painter, m_held.look(m_stage, window));
    }
}

void Desktop::handle(SDL_Event const& event)
{
    if (!m_stage || (paused() && !passes_while_paused(event)))
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

// While the box set is paused only the Pause key and the close boxes reach it, besides what the
// desktop says of its windows: a window destroyed from outside is closed, and minimizing and
// restoring windows is watched, for restoring one ends a pause that minimizing them all began.
// A window's focus and size reach the stage only once the pause is over.
bool Desktop::passes_while_paused(SDL_Event const& event) const
{
    switch (event.type) {
    case SDL_QUIT:
    case SDL_SYSWMEVENT:
    case SDL_WINDOWEVENT:
        return true;
    case SDL_KEYDOWN:
        return event.key.keysym.sym == SDLK_PAUSE;
    default:
        return false;
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
    m_input->close(gone.window());
    if (!m_stage->ended() && find(id))
        renew(gone);
}

// A hidden window cannot be closed, so it stays loaded with its sprites and timer; it gets a new
// real window, hidden like itself, for the time the program shows it again.
void Desktop::renew(DesktopWindow& gone)
{
    Window& window = gone.window();
    auto const place = std::find_if(
        m_windows.begin(), m_windows.end(), [&](std::unique_ptr<DesktopWindow> const& w) { return w.get() == &gone; });
    *place = std::make_unique<DesktopWindow>(window, m_pictures.find(icon_picture));
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
        m_input->close(window);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
    case SDL_WINDOWEVENT_RESTORED:
    case SDL_WINDOWEVENT_SHOWN:
        note_minimized();
        desktop_window->settle_position();
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (int const width = size_twips(event.data1), height = size_twips(event.data2);
            !paused() && (width != window.client_width() || height != window.client_height()))
            m_input->resize(window, width, height);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        desktop_window->settle_position();
        desktop_window->present_all();
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_has_keyboard = true;
        if (!paused())
            m_input->focus_window(window);
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

// Keys go to the window the desktop gave the keyboard to; if the stage has not yet heard that
// this window is active, it hears it first. A key that comes while no window of ours has the
// keyboard (another client sent it, or the player typed into another program), or for a window
// the program does not show, is dropped: the stage would hand it to its active window, which the
// player is not typing into.
void Desktop::on_key_down(SDL_KeyboardEvent const& event)
{
    if (event.keysym.sym == SDLK_PAUSE) {
        if (!event.repeat)
            set_pause(!m_paused_by_key, m_all_minimized);
        return;
    }
    if (m_take_key && m_take_key(event))
        return;
    int const code = virtual_key(event.keysym.sym);
    DesktopWindow* target = find(event.windowID);
    if (code == 0 || !target || !target->window().visible())
        return;
    m_input->focus_window(target->window());
    m_input->key_down(code);
}

void Desktop::on_button_down(SDL_MouseButtonEvent const& event)
{
    DesktopWindow* target = find(event.windowID);
    int const button = stage_button(event.button);
    if (!target || button == 0 || !target->window().visible())
        return;
    Window& window = target->window();
    m_held.press(*m_stage, window, twips(event.x), twips(event.y), button);
    m_input->mouse_press(window, twips(event.x), twips(event.y), button);
}

// The desktop sends the release to the window that took the press, wherever the pointer is;
// the stage needs to know whether the pointer is still over that window.
void Desktop::on_button_up(SDL_MouseButtonEvent const& event)
{
    int const button = stage_button(event.button);
    if (button == 0)
        return;
    m_held.release(button);
    DesktopWindow* target = find(event.windowID);
    bool const over_shown = target && target->window().visible() && target->contains(event.x, event.y);
    Window* over = over_shown ? &target->window() : nullptr;
    m_input->mouse_release(over, twips(event.x), twips(event.y), button);
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
    set_pause(m_paused_by_key, any_shown && all_minimized);
}

void Desktop::set_pause(bool by_key, bool all_minimized)
{
    bool const was_paused = paused();
    m_paused_by_key = by_key;
    m_all_minimized = all_minimized;
    if (paused() == was_paused)
        return;
    if (m_clock && paused())
        m_clock->pause();
    if (m_clock && !paused())
        m_clock->resume();
    for (auto const& desktop_window : m_windows)
        desktop_window->show_paused(paused());
    if (!paused())
        catch_up_sizes();
}

// A window resized during a pause tells the stage its new size as the pause ends.
void Desktop::catch_up_sizes()
{
    for (auto const& desktop_window : m_windows) {
        Window& window = desktop_window->window();
        PixelRect const size = desktop_window->client_size();
        if (window.visible() && !size.empty()
            && (size_twips(size.w) != window.client_width() || size_twips(size.h) != window.client_height()))
            m_input->resize(window, size_twips(size.w), size_twips(size.h));
    }
}

} // namespace tolvane
