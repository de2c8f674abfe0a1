#include "play/PlayerInput.h"

namespace tolvane {

// A key reaches the stage only for a shown window of ours: a key that comes while none has the
// keyboard (another program sent it, or the player typed into another program) would otherwise go
// to the stage's active window, which the player is not typing into. The stage first hears which
// window the key is for. Ctrl+M's repeats while held are taken too, and change nothing.
void PlayerInput::key_down(Window* window, Keystroke key)
{
    if (key.code == pause_key) {
        if (!key.repeat)
            toggle_pause();
        return;
    }
    if (is_mute_key(key)) {
        if (!key.repeat)
            toggle_mute();
        return;
    }
    if (paused() || key.code == 0 || !window || !window->visible())
        return;
    m_input->focus_window(*window);
    m_input->key_down(key.code);
}

void PlayerInput::mouse_press(Window& window, double x, double y, int button)
{
    if (paused() || !window.visible())
        return;
    m_held.press(m_stage, window, x, y, button);
    m_input->mouse_press(window, x, y, button);
}

void PlayerInput::mouse_release(Window* over, double x, double y, int button)
{
    m_held.release(button);
    m_input->mouse_release(paused() ? nullptr : over, x, y, button);
}

void PlayerInput::close(Window& window)
{
    if (window.visible())
        m_input->close(window);
}

// A window resized during a pause tells the stage its size once the pause is over: the front end
// resizes it again then.
void PlayerInput::resize(Window& window, int client_width, int client_height)
{
    if (paused() || !window.visible()
        || (client_width == window.client_width() && client_height == window.client_height()))
        return;
    m_input->resize(window, client_width, client_height);
}

void PlayerInput::keyboard_to(Window& window)
{
    if (!paused() && window.visible())
        m_input->focus_window(window);
}

bool PlayerInput::takes(Keystroke key)
{
    constexpr int enter = 13, space = 32, left = 37, down = 40;
    if (key.code == pause_key || is_mute_key(key))
        return true;
    bool const windows_key = key.code == enter || key.code == space || (key.code >= left && key.code <= down);
    return windows_key && !key.ctrl && !key.alt;
}

void PlayerInput::set_out_of_sight(bool out_of_sight) { set_pause(m_paused_by_key, out_of_sight); }

void PlayerInput::toggle_pause() { set_pause(!m_paused_by_key, m_out_of_sight); }

void PlayerInput::toggle_mute()
{
    m_muted = !m_muted;
    if (m_mute_changed)
        m_mute_changed(m_muted);
}

void PlayerInput::set_pause(bool by_key, bool out_of_sight)
{
    bool const was_paused = paused();
    m_paused_by_key = by_key;
    m_out_of_sight = out_of_sight;
    if (paused() == was_paused)
        return;
    if (paused())
        m_clock.pause();
    else
        m_clock.resume();
    if (m_pause_changed)
        m_pause_changed(paused());
}

} // namespace tolvane
