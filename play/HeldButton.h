#pragma once

#include "stage/Stage.h"

namespace tolvane {

// The command button that the left mouse button holds down: drawn sunk from the press until the
// button comes up, wherever the pointer goes meanwhile.
class HeldButton {
public:
    // A press at (x, y) of a window, in twips: the left button holds the command button the
    // stage routes it to, if it lands on one.
    void press(Stage const& stage, Window& window, double x, double y, int button);
    // The left button came up: nothing is held.
    void release(int button);
    // A window unloading takes its held button with it.
    void forget(Window const& window);

    // The button of this window that is held down, or null.
    Sprite const* in(Window const& window) const { return m_window == &window ? m_sprite : nullptr; }

private:
    Window const* m_window = nullptr;
    Sprite const* m_sprite = nullptr;
};

} // namespace tolvane
