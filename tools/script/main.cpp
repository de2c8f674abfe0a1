#include "tools/script/Script.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string_view>

// tolvane-script [FILE]: plays a script from FILE, or from standard input when FILE is absent or "-".
int main(int argc, char** argv)
{
    if (argc > 2) {
        std::cerr << "usage: tolvane-script [FILE]\n";
        return 2;
    }
    std::ios::sync_with_stdio(false);
    tolvane::ScriptRunner runner;
    std::string_view const path = argc == 2 ? argv[1] : "-";
    if (path == "-")
        return runner.run(std::cin, std::cout, std::cerr);
    std::error_code error;
    if (std::filesystem::is_directory(path, error)) {
        std::cerr << path << ": " << std::strerror(EISDIR) << '\n';
        return 2;
    }
    std::ifstream file { std::string(path) };
    if (!file) {
        std::cerr << path << ": " << std::strerror(errno) << '\n';
        return 2;
    }
    return runner.run(file, std::cout, std::cerr);
}
