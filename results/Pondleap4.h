#pragma once

#include "results/ResultWindow.h"

namespace tolvane {

// The road-crossing game's lose window, shown by the board when its last life is gone.
class Pondleap4 final : public ResultWindow {
public:
    explicit Pondleap4(Stage&);
};

} // namespace tolvane
