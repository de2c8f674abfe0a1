#include "web/Page.h"

#include "web/PageScript.h"

#include <algorithm>

namespace tolvane {

namespace {

constexpr int pause_key = 19;

// Every window shown in the page's life has an id of its own, also after the box set restarts,
// so that nothing meant for a window taken off the page reaches a new one.
int next_window_id = 1;

} // namespace

Page::~Page() { m_windows.clear(); }

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
    m_held.forget(window);
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
        page_window->repaint(m_painter, m_held.look(m_stage, window));
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

// As on the desktop: a key for a window the program does not show, or one without a desktop
// virtual-key code, is dropped; otherwise the stage first hears which window the key is for.
void Page::on_key_down(int key_code, bool repeat)
{
    if (key_code == pause_key) {
        if (!repeat)
            set_pause(!m_paused);
        return;
    }
    PageWindow* target = shown(m_keyboard);
    if (m_paused || key_code == 0 || !target)
        return;
    m_input->focus_window(target->window());
    m_input->key_down(key_code);
}

void Page::on_mouse_down(int id, int x, int y, int button)
{
    PageWindow* target = shown(id);
    if (m_paused || !target)
        return;
    Window& window = target->window();
    m_held.press(*m_stage, window, twips(x), twips(y), button);
    m_input->mouse_press(window, twips(x), twips(y), button);
}

void Page::on_mouse_up(int id, int x, int y, int button, bool over)
{
    m_held.release(button);
    if (m_paused)
        return;
    PageWindow* target = shown(id);
    Window* over_window = target && over && target->contains(x, y) ? &target->window() : nullptr;
    m_input->mouse_release(over_window, twips(x), twips(y), button);
}

void Page::on_close(int id)
{
    if (PageWindow* target = shown(id))
        m_input->close(target->window());
}

void Page::on_focus(int id)
{
    PageWindow* target = shown(id);
    if (!target)
        return;
    m_keyboard = id;
    if (!m_paused)
        m_input->focus_window(target->window());
}

void Page::set_pause(bool paused)
{
    m_paused = paused;
    if (paused)
        m_clock->pause();
    else
        m_clock->resume();
    page_show_paused(paused);
}

} // namespace tolvane
