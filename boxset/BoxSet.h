#pragma once

#include <string_view>

namespace tolvane {

class Stage;

// Every window of the box set, registered with the stage by name; the stage loads each one on
// first reach. The game and the script runner both start from here.
void add_box_set_windows(Stage&);

inline constexpr std::string_view startup_window = "Mainform";

} // namespace tolvane
