#include "web/Keys.h"

#include <algorithm>
#include <array>
#include <utility>

namespace tolvane {

namespace {

// The named keys the desktop knows, by the same codes.
constexpr std::array<int, 34> named_keys { 8, 9, 13, 16, 17, 18, 19, 20, 27, 32, 33, 34, 35, 36, 37, 38, 39, 40, 45, 46,
    106, 107, 109, 110, 111, 144, 145, 186, 187, 188, 189, 190, 191, 192 };

// Some browsers number three punctuation keys their own way.
constexpr std::array<std::pair<int, int>, 3> other_spellings { { { 59, 186 }, { 61, 187 }, { 173, 189 } } };

} // namespace

int virtual_key(unsigned long browser_key_code)
{
    int const code = browser_key_code > 255 ? 0 : static_cast<int>(browser_key_code);
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'))
        return code;
    if (code >= 96 && code <= 105) // the keypad's digits
        return code;
    if (code >= 112 && code <= 123) // F1 to F12
        return code;
    for (auto const& [browser, desktop] : other_spellings)
        if (code == browser)
            return desktop;
    return std::find(named_keys.begin(), named_keys.end(), code) != named_keys.end() ? code : 0;
}

} // namespace tolvane
