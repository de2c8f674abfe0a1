#pragma once

#include "shell/TickObserver.h"
#include "stage/Stage.h"

#include <functional>
#include <string_view>

namespace tolvane {

// Plays the program on the desktop: opens the display, the fonts and the pictures, registers
// the windows, starts the start-up window and runs until the program ends. Returns the
// process's exit status: 0 when the program ended, 1 when the desktop could not be had, with a
// message on standard error saying why. An observer, when given, hears of every tick. Sound
// starts muted when `muted` is set or the player's settings say so.
int play_on_desktop(std::function<void(Stage&)> const& add_windows, std::string_view startup_window,
    TickObserver* observer = nullptr, bool muted = false);

} // namespace tolvane
