#pragma once

#include <span>
#include <string_view>

namespace tolvane {

// The bytes of a PNG built into the program, by asset name ("Pondleap1/frog"); empty when there
// is no such picture.
std::span<unsigned char const> built_in_picture(std::string_view name);

} // namespace tolvane
