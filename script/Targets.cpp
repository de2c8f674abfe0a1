#include "script/Targets.h"

#include "script/Properties.h"
#include "script/Words.h"
#include "stage/Numbers.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace tolvane {

namespace {

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    while (true) {
        std::size_t const at = text.find(separator);
        parts.push_back(text.substr(0, at));
        if (at == std::string_view::npos)
            return parts;
        text.remove_prefix(at + 1);
    }
}

} // namespace

std::string printed(Value const& value)
{
    struct Printer {
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(float f) const { return float_text(f); }
        std::string operator()(std::int64_t n) const { return std::to_string(n); }
        std::string operator()(std::string const& text) const { return text; }
    };
    return std::visit(Printer {}, value);
}

void append_json_string(std::string& json, std::string_view text)
{
    json += '"';
    for (char c : text) {
        auto const byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (c == '\n') {
            json += "\\n";
        } else if (c == '\r') {
            json += "\\r";
        } else if (c == '\t') {
            json += "\\t";
        } else if (byte < 0x20) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\u%04x", byte);
            json += buffer;
        } else {
            json += c;
        }
    }
    json += '"';
}

void append_json(std::string& json, Value const& value)
{
    if (bool const* b = std::get_if<bool>(&value))
        json += *b ? "true" : "false";
    else if (std::string const* text = std::get_if<std::string>(&value))
        append_json_string(json, *text);
    else if (float const* f = std::get_if<float>(&value); f && !std::isfinite(*f))
        append_json_string(json, float_text(*f));
    else
        json += printed(value);
}

namespace {

// The values of the program as a whole: `program.FIELD`.
struct ProgramField {
    std::string_view name;
    Value (*read)(Stage const&);
};

constexpr ProgramField program_fields[] = {
    { "ended", [](Stage const& stage) -> Value { return stage.ended(); } },
    { "active",
        [](Stage const& stage) -> Value { return stage.active() ? std::string(stage.active()->name()) : "none"; } },
    { "clock", [](Stage const& stage) -> Value { return stage.now_us(); } },
};

Target program_target(Stage const& stage, std::string_view name)
{
    ProgramField const* field = find_row(program_fields, name);
    if (!field)
        fail("unknown program value " + quoted(name) + ": expected " + one_of(names_of(program_fields)));
    return { [=, &stage] { return field->read(stage); }, {}, {}, "program values cannot be set" };
}

// The fields of a window: `WINDOW.FIELD`. Only `Loaded` and `Visible` answer for a window that
// is not loaded; only `Visible` can be set, which loads, shows or hides the window.
struct WindowField {
    std::string_view name;
    bool needs_loaded;
    Value (*read)(Window const*);
    Value (*parse)(std::string_view); // null, and `write` too, for a field that cannot be set
    void (*write)(Stage&, std::string_view window, Value const&);
};

constexpr WindowField window_fields[] = {
    { "Loaded", false, [](Window const* window) -> Value { return window != nullptr; }, nullptr, nullptr },
    { "Visible", false, [](Window const* window) -> Value { return window && window->visible(); },
        [](std::string_view word) -> Value { return boolean(word); },
        [](Stage& stage, std::string_view window, Value const& visible) {
            stage.set_visible(window, std::get<bool>(visible));
        } },
    { "Width", true, [](Window const* window) -> Value { return static_cast<float>(window->outer_width()); }, nullptr,
        nullptr },
    { "Caption", true, [](Window const* window) -> Value { return std::string(window->Caption()); }, nullptr, nullptr },
    { "Focus", true,
        [](Window const* window) -> Value { return window->focus() ? window->focus()->name() : std::string("none"); },
        nullptr, nullptr },
};

Target window_field_target(Stage const& stage, std::string_view name, WindowField const& field)
{
    Target target;
    target.read = [&stage, name, &field] { return field.read(stage.find(name)); };
    if (!field.write) {
        target.read_only = "window field " + quoted(field.name) + " cannot be set";
        return target;
    }
    target.parse = field.parse;
    target.write = [name, &field](Stage& stage, Value const& value) { field.write(stage, name, value); };
    return target;
}

Target variable_target(Window const& window, std::string_view name)
{
    std::int16_t* variable = window.variable(name);
    if (!variable)
        fail("window " + quoted(window.name()) + " has no variable " + quoted(name));
    return { [=] { return Value { std::int64_t { *variable } }; },
        [](std::string_view word) -> Value {
            return std::int64_t { whole_number<std::int16_t>(word, -32768, 32767, "integer") };
        },
        [=](Stage&, Value const& value) { *variable = static_cast<std::int16_t>(std::get<std::int64_t>(value)); }, {} };
}

Window& loaded_window(Stage const& stage, std::string_view name)
{
    Window* window = stage.find(name);
    if (!window)
        fail("window " + quoted(name) + " is not loaded");
    return *window;
}

Target window_target(Stage const& stage, std::string_view window, std::string_view name)
{
    WindowField const* field = find_row(window_fields, name);
    if (field && !field->needs_loaded)
        return window_field_target(stage, window, *field);
    Window const& loaded = loaded_window(stage, window);
    if (field)
        return window_field_target(stage, window, *field);
    return variable_target(loaded, name);
}

} // namespace

Target resolve(Stage const& stage, std::string_view text)
{
    auto const parts = split(text, '.');
    if (parts.size() == 2 && parts[0] == "program")
        return program_target(stage, parts[1]);
    if (parts.size() < 2 || parts.size() > 3)
        fail("bad target " + quoted(text) + ": expected WINDOW.FIELD or WINDOW.SPRITE.PROPERTY");
    if (!stage.is_window(parts[0]))
        fail("unknown window " + quoted(parts[0]));
    if (parts.size() == 2)
        return window_target(stage, parts[0], parts[1]);
    return property_target(loaded_window(stage, parts[0]), parts[1], parts[2]);
}

} // namespace tolvane
