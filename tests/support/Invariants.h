#pragma once

#include <string>
#include <vector>

namespace tolvane {

class Stage;

// What must hold in every session of the box set, whatever the player does. A session that runs
// a long time or takes arbitrary input checks these after each event.
struct InvariantLimits {
    double widest_board = 0; // the largest outer width the road-crossing board has had
    double widest_helicopter = 0; // likewise for the helicopter window
};

std::vector<std::string> broken_invariants(Stage const&, InvariantLimits const&);

} // namespace tolvane
