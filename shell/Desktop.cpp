#include "shell/Desktop.h"

#include "shell/Keys.h"
#include "shell/XErrors.h"
#include "shell/XWindows.h"

#include <SDL.h>

#include <algorithm>
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

// The stage measures in twips; a pixel is taken at its centre.
double twips(int pixel) { return (pixel + 0.5) * 15; }

} // namespace

Desktop::Desktop(Pictures& pictures, Fonts const& fonts)
    : m_pictures(pictures)
    , m_painter(pictures, fonts)
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
    m_windows.push_back(std::make_unique<DesktopWindow>(window, m_pictures.find(icon_picture)));
}

void Desktop::window_unloading(Window& window)
{
    if (m_pressed_window == &window) {
        m_pressed_window = nullptr;
        m_pressed = nullptr;
    }
    std::erase_if(m_windows, [&](std::unique_ptr<DesktopWindow> const& w) { return &w->window() == &window; });
}

void Desktop::window_shown(Window& window)
{
    if (DesktopWindow* shown = find(window))
        shown->show();
}

void Desktop::window_hidden(Window& window)
{
    if (DesktopWindow* hidden = find(window))
        hidden->hide();
}

void Desktop::window_activated(Window& window)
{
    if (DesktopWindow* active = find(window))
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
            .pressed = m_pressed_window == &window ? m_pressed : nullptr };
        desktop_window->repaint(m_painter, look);
    }
}

void Desktop::handle(SDL_Event const& event)
{
    if (!m_stage)
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
    m_stage->close(gone.window());
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
    if (window.visible())
        (*place)->show();
}

// Events can still arrive for a window that was destroyed a moment ago; they are dropped.
void Desktop::on_window_event(SDL_WindowEvent const& event)
{
    DesktopWindow* desktop_window = find(event.windowID);
    if (!desktop_window)
        return;
    Window& window = desktop_window->window();
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        m_stage->close(window);
        break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
        if (event.data1 * 15 != window.client_width() || event.data2 * 15 != window.client_height())
            m_stage->resize(window, event.data1 * 15, event.data2 * 15);
        break;
    case SDL_WINDOWEVENT_EXPOSED:
        desktop_window->settle_position();
        desktop_window->present_all();
        break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        m_stage->focus_window(window);
        break;
    case SDL_WINDOWEVENT_MAXIMIZED:
        desktop_window->refuse_maximize();
        break;
    default:
        desktop_window->settle_position();
        break;
    }
}

// Keys go to the window the desktop gave the keyboard to; if the stage has not yet heard that
// this window is active, it hears it first.
void Desktop::on_key_down(SDL_KeyboardEvent const& event)
{
    if (m_take_key && m_take_key(event))
        return;
    int const code = virtual_key(event.keysym.sym);
    if (code == 0)
        return;
    if (DesktopWindow* target = find(event.windowID))
        m_stage->focus_window(target->window());
    m_stage->key_down(code);
}

void Desktop::on_button_down(SDL_MouseButtonEvent const& event)
{
    DesktopWindow* target = find(event.windowID);
    int const button = stage_button(event.button);
    if (!target || button == 0)
        return;
    Window& window = target->window();
    press_look(window, twips(event.x), twips(event.y), button);
    m_stage->mouse_press(window, twips(event.x), twips(event.y), button);
}

// The desktop sends the release to the window that took the press, wherever the pointer is;
// the stage needs to know whether the pointer is still over that window.
void Desktop::on_button_up(SDL_MouseButtonEvent const& event)
{
    int const button = stage_button(event.button);
    if (button == 0)
        return;
    if (button == 1) {
        m_pressed_window = nullptr;
        m_pressed = nullptr;
    }
    DesktopWindow* target = find(event.windowID);
    Window* over = target && target->contains(event.x, event.y) ? &target->window() : nullptr;
    m_stage->mouse_release(over, twips(event.x), twips(event.y), button);
}

void Desktop::press_look(Window& window, double x, double y, int button)
{
    if (button != 1 || !window.visible())
        return;
    Sprite const* receiver = m_stage->route(window, x, y);
    if (receiver && receiver->kind() == SpriteKind::CommandButton) {
        m_pressed_window = &window;
        m_pressed = receiver;
    }
}

} // namespace tolvane
