#pragma once

#include <span>
#include <string_view>

namespace tolvane {

// The bytes of a font built into the program, where it carries any (the Windows programs), by its
// file's name without ".ttf" ("LiberationSans-Regular"); empty when there is no such font.
std::span<unsigned char const> built_in_font(std::string_view name);

} // namespace tolvane
