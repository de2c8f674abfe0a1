#include "web/Page.h"

#include "web/PageScript.h"

#include <algorithm>

namespace tolvane {

namespace {

// Every window shown in the page's life has an id of its own, also after the box set restarts,
// so that nothing meant for a window taken off the page reaches a new one.
int next_window_id = 1;

} // namespace

Page::~Page() { m_windows.clear(); }

void Page::attach(Stage& stage, PlayerInput& player)
{
    m_stage = &stage;
    m_player = &player;
    m_player->on_pause_changed([](bool paused) { page_show_paused(paused); });
}

PageWindow* Page::find(Window const& window) const
{
    auto const found = std::find_if(m_windows.begin(), m_windows.end(),
        [&](std::unique_ptr<PageWindow> const& w) { return &w->window() == &window; });
    return found == m_windows.end() ? nullptr : found->get();
}

PageWindow* Page::find(int id) const
{
    auto const found = std::find_if(
        m_windows.begin(), m_windows.end(), [&](std::unique_ptr<PageWindow> const& w) { return w->id() == id; });
    return found == m_windows.end() ? nullptr : found->get();
}

PageWindow* Page::shown(int id) const
{
    PageWindow* page_window = find(id);
    return page_window && page_window->window().visible() ? page_window : nullptr;
}

void Page::window_loaded(Window& window)
{
    m_windows.push_back(std::make_unique<PageWindow>(window, next_window_id++, m_painter.scale()));
}

void Page::window_unloading(Window& window)
{
    if (m_player)
        m_player->window_unloading(window);
    std::erase_if(m_windows, [&](std::unique_ptr<PageWindow> const& w) { return &w->window() == &window; });
}

void Page::window_shown(Window& window)
{
    if (PageWindow* page_window = find(window))
        page_window->show();
}

void Page::window_hidden(Window& window)
{
    if (PageWindow* page_window = find(window))
        page_window->hide();
}

// The stage's active window comes to the front of the page and takes the keyboard.
void Page::window_activated(Window& window)
{
    if (PageWindow* page_window = find(window)) {
        page_window->raise();
        m_keyboard = page_window->id();
    }
}

void Page::window_resized(Window& window)
{
    if (PageWindow* page_window = find(window))
        page_window->follow_size();
}

void Page::repaint()
{
    for (auto const& page_window : m_windows) {
        Window const& window = page_window->window();
        if (!window.visible())
            continue;
        ButtonLook const look { .active = m_stage && m_stage->active() == &window,
            .pressed = m_player ? m_player->held_in(window) : nullptr };
        page_window->repaint(m_painter, look);
    }
}

void Page::set_scale(double scale)
{
    if (scale == m_painter.scale())
        return;
    m_painter = m_painter.with_scale(scale);
    for (auto const& page_window : m_windows)
        page_window->set_scale(scale);
}

// Keys go to the window that has the keyboard, if the program shows it.
void Page::on_key_down(Keystroke key)
{
    PageWindow* target = shown(m_keyboard);
    m_player->key_down(target ? &target->window() : nullptr, key);
}

void Page::on_mouse_down(int id, int x, int y, int button)
{
    if (PageWindow* target = find(id))
        m_player->mouse_press(target->window(), twips(x), twips(y), button);
}

void Page::on_mouse_up(int id, int x, int y, int button, bool over)
{
    PageWindow* target = shown(id);
    Window* over_window = target && over && target->contains(x, y) ? &target->window() : nullptr;
    m_player->mouse_release(over_window, twips(x), twips(y), button);
}

void Page::on_close(int id)
{
    if (PageWindow* target = find(id))
        m_player->close(target->window());
}

void Page::on_focus(int id)
{
    PageWindow* target = shown(id);
    if (!target)
        return;
    m_keyboard = id;
    m_player->keyboard_to(target->window());
}

} // namespace tolvane
