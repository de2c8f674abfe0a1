#pragma once

#include "cli/Quoting.h"
#include "script/Script.h"

#include <charconv>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Reading the words of a script line, and the text of the messages about them.
namespace tolvane {

[[noreturn]] inline void fail(std::string message) { throw ScriptError(std::move(message)); }

// "a, b or c", for the messages that list what a name could have been.
std::string one_of(std::vector<std::string_view> const& names);

// The words of one line, taken from the front: the command first, then its arguments.
class Words {
public:
    explicit Words(std::string_view line);

    std::string_view command() const { return m_command; }
    // The next word, or an empty one at the end of the line.
    std::string_view next();
    // The next word; "COMMAND needs WHAT" when the line has no more.
    std::string_view required(std::string_view what);
    // `set` and `expect`: the target, then the rest of the line after it and one blank.
    std::pair<std::string_view, std::string_view> target_and_value();
    // "too many words for 'COMMAND'" when anything but blanks is left.
    void finish();

private:
    std::string_view m_rest;
    std::string_view m_command;
};

// A whole number from `lowest` to `highest`; otherwise "bad WHAT 'WORD': expected ...".
template <typename Int> Int whole_number(std::string_view word, Int lowest, Int highest, std::string_view what)
{
    Int value {};
    auto const [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc {} || end != word.data() + word.size() || value < lowest || value > highest)
        fail("bad " + std::string(what) + " " + quoted(word) + ": expected a whole number from "
            + std::to_string(lowest) + " to " + std::to_string(highest));
    return value;
}

// A finite decimal number.
double decimal_number(std::string_view word, std::string_view what);

// A decimal number rounded to a 32-bit float, which must stay finite after the rounding.
float single_number(std::string_view word);

// `True` or `False`.
bool boolean(std::string_view word);

} // namespace tolvane
