#include "script/State.h"

#include "script/Properties.h"
#include "script/Targets.h"
#include "script/Words.h"
#include "stage/Numbers.h"

#include <utility>

namespace tolvane {

namespace {

// A name, or null for none: no window or button has an empty name.
void append_name_json(std::string& json, std::string_view name)
{
    if (!name.empty())
        append_json_string(json, name);
    else
        json += "null";
}

void append_variables_json(std::string& json, Window const& window)
{
    bool first = true;
    for (auto const& variable : window.variables()) {
        if (!std::exchange(first, false))
            json += ',';
        append_json_string(json, variable.name);
        json += ':' + std::to_string(*variable.value);
    }
}

void append_window_json(std::string& json, Window const* window)
{
    if (!window) {
        json += "{\"loaded\":false}";
        return;
    }
    json += "{\"loaded\":true,\"visible\":";
    json += window->visible() ? "true" : "false";
    json += ",\"Width\":" + float_text(static_cast<float>(window->outer_width()));
    json += ",\"Caption\":";
    append_json_string(json, window->Caption());
    json += ",\"focus\":";
    append_name_json(json, window->focus() ? std::string_view(window->focus()->name()) : std::string_view());
    json += ",\"vars\":{";
    append_variables_json(json, *window);
    json += "},\"sprites\":{";
    append_sprites_json(json, *window);
    json += "}}";
}

} // namespace

std::string dump_state(Stage const& stage, std::string_view only)
{
    if (!only.empty() && !stage.is_window(only))
        fail("unknown window " + quoted(only));
    std::string json = "{\"clock\":" + std::to_string(stage.now_us());
    json += ",\"ended\":";
    json += stage.ended() ? "true" : "false";
    json += ",\"active\":";
    append_name_json(json, stage.active() ? stage.active()->name() : std::string_view());
    json += ",\"windows\":{";
    bool first = true;
    for (std::string_view name : stage.window_names()) {
        if (!only.empty() && name != only)
            continue;
        if (!std::exchange(first, false))
            json += ',';
        append_json_string(json, name);
        json += ':';
        append_window_json(json, stage.find(name));
    }
    json += "}}";
    return json;
}

} // namespace tolvane
