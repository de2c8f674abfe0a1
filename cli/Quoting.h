#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Text that a user gave (a file's name, an option's value, a word of a script, a folder from the
// environment), as every message of the box set shows it: no control character and no byte that
// is not UTF-8 reaches the terminal raw, so no escape sequence in what the user typed takes hold of it.
namespace tolvane {

// The text with control characters and bytes that are not UTF-8 escaped: `\n`, `\t`, `\r`, and
// `\xNN` for the others.
std::string escaped(std::string_view text);

// The text between single quotes, escaped, cut after its first 80 characters with "...".
std::string quoted(std::string_view text);

// Where a text stops being valid UTF-8 (a byte offset), or nothing when all of it is valid.
std::optional<std::size_t> invalid_utf8_at(std::string_view text);

} // namespace tolvane
