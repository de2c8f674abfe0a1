#pragma once

#include "stage/Window.h"

namespace tolvane {

// The road-crossing game's title screen. Its two pictures lie exactly over the Start and Help
// buttons painted in the background, so the painted buttons are what the player clicks.
class Pondleap2 final : public Window {
public:
    explicit Pondleap2(Stage&);

    Image Image2; // Help
    Image Image1; // Start

private:
    void Image1_Click();
    void Image2_Click();
};

} // namespace tolvane
