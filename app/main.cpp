#include "boxset/BoxSet.h"
#include "shell/Shell.h"

// tolvane: the box set on the desktop. It takes no arguments.
int main() { return tolvane::play_on_desktop(tolvane::add_box_set_windows, tolvane::startup_window); }
