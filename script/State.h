#pragma once

#include "stage/Stage.h"

#include <string>
#include <string_view>

namespace tolvane {

// The JSON of `dump`: the state of every window of the stage, or of the one named, at the
// stage's clock, as one line. A journal ends with it, so that its replay can be checked against
// the state the session reached. Throws ScriptError for a name that no window has.
std::string dump_state(Stage const& stage, std::string_view only = {});

} // namespace tolvane
