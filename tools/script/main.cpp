#include "tools/script/ScriptFile.h"

#include <iostream>
#include <string_view>

// tolvane-script [FILE]: plays a script from FILE, or from standard input when FILE is absent or "-".
int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: tolvane-script [FILE]\n";
        return 2;
    }
    return tolvane::play_script(argc == 2 ? argv[1] : "-");
}
