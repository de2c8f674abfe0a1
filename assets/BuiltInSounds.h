#pragma once

#include <span>
#include <string_view>

namespace tolvane {

// The bytes of a WAV built into the program, by the name of its cue or loop ("Hop", "Rotor");
// empty when there is no such sound.
std::span<unsigned char const> built_in_sound(std::string_view name);

} // namespace tolvane
