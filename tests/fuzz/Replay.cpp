#include "tests/fuzz/SessionBytes.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(std::uint8_t const* data, std::size_t size);

// Plays every file of the given folders through the fuzz target, so that the seed corpus and every
// input that once found a fault are run by the ordinary test suite as well, each to its end.
int main(int argc, char** argv)
{
    tolvane::fuzz::session_budget = std::numeric_limits<int>::max();
    int played = 0;
    for (int i = 1; i < argc; ++i) {
        for (auto const& entry : std::filesystem::directory_iterator(argv[i])) {
            std::ifstream file(entry.path(), std::ios::binary);
            std::vector<std::uint8_t> const bytes((std::istreambuf_iterator<char>(file)), {});
            LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
            ++played;
        }
    }
    std::printf("played %d inputs\n", played);
    return played > 0 ? 0 : 1;
}
