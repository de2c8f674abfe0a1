#pragma once

#include "draw/Painter.h"
#include "stage/Stage.h"

namespace tolvane {

// The command button that the left mouse button holds down: drawn sunk from the press until the
// button comes up, wherever the pointer goes meanwhile, as the desktop and the page both show it.
class HeldButton {
public:
    // A press at (x, y) of a window, in twips: the left button holds the command button the
    // stage routes it to, if it lands on one.
    void press(Stage const& stage, Window& window, double x, double y, int button);
    // The left button came up: nothing is held.
    void release(int button);
    // A window unloading takes its held button with it.
    void forget(Window const& window);

    // How a window's buttons look now: the active window's focused button with its focus
    // rectangle, the held one sunk.
    ButtonLook look(Stage const* stage, Window const& window) const;

private:
    Window const* m_window = nullptr;
    Sprite const* m_sprite = nullptr;
};

} // namespace tolvane
