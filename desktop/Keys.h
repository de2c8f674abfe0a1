#pragma once

#include <SDL_keycode.h>

namespace tolvane {

// The desktop virtual-key code that the windows' `Form_KeyDown` handlers know a key by (37 to 40
// the arrows, 32 Space, 13 Enter), or 0 for a key that has none.
int virtual_key(SDL_Keycode key);

} // namespace tolvane
