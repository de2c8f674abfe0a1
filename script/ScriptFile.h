#pragma once

#include <string_view>

namespace tolvane {

// Plays the script in the file at `path`, or on standard input when `path` is "-", printing to
// standard output and standard error; returns tolvane-script's exit status. It sets up the
// standard streams for itself, so call it before anything else reads or writes them.
int play_script(std::string_view path);

// Whether the descriptor is a regular file. A terminal or a pipe watches the answers come, line
// by line; a file takes them all at the end.
bool is_a_file(int descriptor);

} // namespace tolvane
