#pragma once

#include <string_view>

namespace tolvane {

// Reports a broken rule of the program's own code on standard error, with where it broke and what
// to change, and aborts. Kept out of line, so that a check costs its caller one test and a branch
// that is never taken.
[[noreturn]] void check_failed(char const* condition, std::string_view fix, char const* file, int line);

} // namespace tolvane

// A rule that the program's own code must keep, such as an index within its sprite array: a
// misuse that no input can cause, only a mistake in the code. It is checked in every build,
// Release included, since going on would be undefined behaviour in a player's hands. `fix` says how
// to mend the code and is only evaluated when the check fails, so it may build a string.
#define TOLVANE_CHECK(condition, fix)                                                                                  \
    do {                                                                                                               \
        if (!(condition)) [[unlikely]]                                                                                 \
            ::tolvane::check_failed(#condition, (fix), __FILE__, __LINE__);                                            \
    } while (false)
