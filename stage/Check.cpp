#include "stage/Check.h"

#include <cstdio>
#include <cstdlib>

namespace tolvane {

void check_failed(char const* condition, std::string_view fix, char const* file, int line)
{
    std::fprintf(stderr, "tolvane: a fault in the program at %s:%d, where %s does not hold: %.*s\n", file, line,
        condition, static_cast<int>(fix.size()), fix.data());
    std::fflush(stderr);
    std::abort();
}

} // namespace tolvane
