#include "tests/support/Session.h"

#include "boxset/BoxSet.h"

namespace tolvane {

Session::Session()
{
    add_box_set_windows(m_stage);
    m_stage.start(startup_window);
}

bool Session::visible(std::string_view name) const
{
    Window const* found = m_stage.find(name);
    return found && found->visible();
}

bool Session::active(std::string_view name) const { return m_stage.active() && m_stage.active()->name() == name; }

void Session::run(std::int64_t granules)
{
    while (m_stage.deliver_next_tick()) { }
    std::int64_t const target = m_clock.now_us() + granules * Timer::granule_us;
    while (!m_stage.ended()) {
        auto const due = m_stage.next_due();
        if (!due || *due > target)
            break;
        m_clock.set(*due);
        m_stage.deliver_next_tick();
    }
    if (!m_stage.ended())
        m_clock.set(target);
}

void Session::stall(std::int64_t microseconds)
{
    if (!m_stage.ended())
        m_clock.set(m_clock.now_us() + microseconds);
}

void Session::key(int code)
{
    m_stage.key_down(code);
    m_invariants.after_input();
}

void Session::press(Window& window, double x, double y, int button)
{
    m_stage.mouse_press(window, x, y, button);
    m_invariants.after_input();
}

void Session::release(Window* window, double x, double y, int button)
{
    m_stage.mouse_release(window, x, y, button);
    m_invariants.after_input();
}

void Session::click(std::string_view window, std::string_view sprite)
{
    Window* found = m_stage.find(window);
    if (Sprite* target = found ? found->sprite(sprite) : nullptr)
        click(*found, *target);
}

void Session::click(Window& window, Sprite& sprite)
{
    if (!window.visible())
        return;
    std::string const name(window.name());
    double const x = sprite.Left + sprite.Width / 2;
    double const y = sprite.Top + sprite.Height / 2;
    m_stage.mouse_press(window, x, y, 1);
    m_stage.mouse_release(m_stage.find(name), x, y, 1);
    m_invariants.after_input();
}

void Session::close(Window& window)
{
    std::string const name(window.name());
    m_stage.close(window);
    m_invariants.forget(name);
    m_invariants.after_close();
}

void Session::resize(Window& window, int client_width, int client_height)
{
    m_stage.resize(window, client_width, client_height);
    m_invariants.after_input();
}

void Session::focus(Window& window)
{
    m_stage.focus_window(window);
    m_invariants.after_input();
}

void Session::set_visible(std::string_view window, bool visible)
{
    m_invariants.visibility_assigned();
    m_stage.set_visible(window, visible);
    m_invariants.after_input();
}

void Session::queue_rnd(std::deque<float> values) { m_stage.random().queue(std::move(values)); }

} // namespace tolvane
