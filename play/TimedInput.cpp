#include "play/TimedInput.h"

namespace tolvane {

bool TimedInput::recording() const { return m_time.journal() && m_time.journal()->recording() && !m_stage.ended(); }

void TimedInput::write(std::string const& line) { m_time.journal()->input(m_time.stage_us(), line); }

void TimedInput::key_down(int key_code)
{
    m_time.take_input();
    if (recording())
        write("key " + std::to_string(key_code));
    m_stage.key_down(key_code);
}

std::string TimedInput::mouse_line(
    std::string_view command, std::string_view window, double x, double y, int button) const
{
    std::string line(command);
    line += ' ';
    line += window;
    line += ' ';
    line += coordinate_text(x);
    line += ' ';
    line += coordinate_text(y);
    line += ' ';
    line += std::to_string(button);
    return line;
}

void TimedInput::mouse_press(Window& window, double x, double y, int button)
{
    m_time.take_input();
    if (recording() && window.visible() && button >= 1 && button <= 3) {
        write(mouse_line("press", window.name(), x, y, button));
        m_pressed[static_cast<std::size_t>(button)] = window.name();
    }
    m_stage.mouse_press(window, x, y, button);
}

// The stage asks of a release only whether the pointer is over the window that took the press.
// Over no window of ours, the line names a window other than that one, which a replay finds
// unloaded or elsewhere: the answer is no there too.
std::string_view TimedInput::release_window(Window* over, int button) const
{
    if (over)
        return over->name();
    std::string const& pressed = m_pressed[static_cast<std::size_t>(button)];
    for (std::string_view name : m_stage.window_names())
        if (name != pressed)
            return name;
    return pressed;
}

void TimedInput::mouse_release(Window* over, double x, double y, int button)
{
    m_time.take_input();
    if (recording() && button >= 1 && button <= 3)
        write(mouse_line("release", release_window(over, button), x, y, button));
    m_stage.mouse_release(over, x, y, button);
}

void TimedInput::close(Window& window)
{
    m_time.take_input();
    if (recording() && window.visible())
        write("close " + std::string(window.name()));
    m_stage.close(window);
}

// The runner resizes only a visible window, so a resize of a hidden one cannot be written: its
// replay keeps the size the window had before.
void TimedInput::resize(Window& window, int client_width, int client_height)
{
    m_time.take_input();
    if (recording() && window.visible())
        write("resize " + std::string(window.name()) + " " + std::to_string(client_width) + " "
            + std::to_string(client_height));
    m_stage.resize(window, client_width, client_height);
}

void TimedInput::focus_window(Window& window)
{
    m_time.take_input();
    if (recording() && window.visible() && m_stage.active() != &window)
        write("activate " + std::string(window.name()));
    m_stage.focus_window(window);
}

} // namespace tolvane
