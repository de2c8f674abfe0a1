#pragma once

#include "stage/Stage.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// What a script can name (the TARGET of `print`, `set` and `expect`), and how values are printed
// and written into the JSON of `dump`.
namespace tolvane {

// A value as a script reads it: a boolean, a 32-bit float, an integer or a text.
using Value = std::variant<bool, float, std::int64_t, std::string>;

// `True`, `4680`, `8.25`, `inf`, `-160`, the text as it is.
std::string printed(Value const&);

void append_json_string(std::string& json, std::string_view text);
// `true`, `4680`, `"inf"`, a JSON string.
void append_json(std::string& json, Value const&);

// What a target names, bound to the thing it reads and writes. Looking it up changes nothing;
// writing it acts through the stage as an assignment of the program would.
struct Target {
    std::function<Value()> read;
    // Checks a value written in a script and turns it into the target's value; empty when the
    // target cannot be set, with `read_only` saying why.
    std::function<Value(std::string_view)> parse;
    std::function<void(Stage&, Value const&)> write;
    std::string read_only;
};

// Looks up `program.FIELD`, `WINDOW.FIELD`, `WINDOW.VARIABLE` or `WINDOW.SPRITE.PROPERTY`; fails
// with a message for a name that does not exist or a window that must be loaded and is not.
Target resolve(Stage const& stage, std::string_view text);

// The row of a table whose `name` is `name`, or null.
template <typename Row, std::size_t N> Row const* find_row(Row const (&rows)[N], std::string_view name)
{
    for (Row const& row : rows)
        if (row.name == name)
            return &row;
    return nullptr;
}

template <typename Row, std::size_t N> std::vector<std::string_view> names_of(Row const (&rows)[N])
{
    std::vector<std::string_view> names;
    for (Row const& row : rows)
        names.push_back(row.name);
    return names;
}

} // namespace tolvane
