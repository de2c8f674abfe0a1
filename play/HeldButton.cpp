#include "play/HeldButton.h"

namespace tolvane {

void HeldButton::press(Stage const& stage, Window& window, double x, double y, int button)
{
    if (button != 1 || !window.visible())
        return;
    Sprite const* receiver = stage.route(window, x, y);
    if (receiver && receiver->kind() == SpriteKind::CommandButton) {
        m_window = &window;
        m_sprite = receiver;
    }
}

void HeldButton::release(int button)
{
    if (button != 1)
        return;
    m_window = nullptr;
    m_sprite = nullptr;
}

void HeldButton::forget(Window const& window)
{
    if (m_window != &window)
        return;
    m_window = nullptr;
    m_sprite = nullptr;
}

} // namespace tolvane
