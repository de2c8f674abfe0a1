#pragma once

#include "results/ResultWindow.h"

namespace tolvane {

// The alien-shooting game's lose window. It is loaded hidden at the field's first tick, so its message has been growing
// long before it is shown.
class Starbreach2 final : public ResultWindow {
public:
    explicit Starbreach2(Stage&);
};

} // namespace tolvane
