#pragma once

#include "stage/Cue.h"
#include "stage/Stage.h"

#include <array>

namespace tolvane {

// What the box set should be heard playing, from one look at every visible window: whether a
// game runs (a visible window's timer ticks) and which loops are held. The desktop's sound and
// the web page's both go by it.
struct SoundScene {
    bool game_runs = false;
    std::array<bool, loop_count> held {};

    bool holds(Loop loop) const { return held[static_cast<std::size_t>(loop)]; }

    static SoundScene of(Stage const& stage);
};

} // namespace tolvane
