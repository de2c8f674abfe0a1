#pragma once

namespace tolvane {

// The desktop virtual-key code that the windows' `Form_KeyDown` handlers know a key by, from the
// browser's key code for it (which follows the same numbering), or 0 for a key the desktop has
// no code for.
int virtual_key(unsigned long browser_key_code);

} // namespace tolvane
