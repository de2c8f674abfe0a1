#pragma once

#include "results/ResultWindow.h"

namespace tolvane {

// The road-crossing game's win window, shown by the board on every tick while the frog is on the trophy.
class Pondleap5 final : public ResultWindow {
public:
    explicit Pondleap5(Stage&);
};

} // namespace tolvane
