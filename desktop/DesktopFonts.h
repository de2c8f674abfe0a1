#pragma once

#include "draw/Fonts.h"

#include <memory>
#include <string>

namespace tolvane {

// The windows' two faces from the fonts installed on the desktop, as fontconfig finds them; or a
// message saying why they cannot be had.
std::unique_ptr<Fonts> open_desktop_fonts(std::string& error);

} // namespace tolvane
