#pragma once

#include "results/ResultWindow.h"

namespace tolvane {

// The alien-shooting game's win window. The field's first tick loads it hidden, and it loads the
// lose window hidden in turn, so both messages grow unseen for the whole game.
class Starbreach3 final : public ResultWindow {
public:
    explicit Starbreach3(Stage&);

    void Form_Load() override;
};

} // namespace tolvane
