#include "tools/script/Script.h"

#include "boxset/BoxSet.h"
#include "stage/Numbers.h"

#include <charconv>
#include <cmath>
#include <deque>
#include <istream>
#include <ostream>
#include <sstream>
#include <vector>

namespace tolvane {

namespace {

[[noreturn]] void fail(std::string message) { throw ScriptError { std::move(message) }; }

std::string quoted(std::string_view text)
{
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '\'';
    quoted += text;
    quoted += '\'';
    return quoted;
}

bool is_blank(char c) { return c == ' ' || c == '\t'; }

std::string_view next_word(std::string_view& rest)
{
    while (!rest.empty() && is_blank(rest.front()))
        rest.remove_prefix(1);
    std::size_t end = 0;
    while (end < rest.size() && !is_blank(rest[end]))
        ++end;
    std::string_view const word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

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

template <typename Int> Int whole_number(std::string_view word, Int lowest, Int highest, std::string_view what)
{
    Int value {};
    auto const [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc {} || end != word.data() + word.size() || value < lowest || value > highest)
        fail("bad " + std::string(what) + " " + quoted(word) + ": expected a whole number from "
            + std::to_string(lowest) + " to " + std::to_string(highest));
    return value;
}

double decimal_number(std::string_view word, std::string_view what)
{
    double value = 0;
    auto const [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc {} || end != word.data() + word.size() || !std::isfinite(value))
        fail("bad " + std::string(what) + " " + quoted(word) + ": expected a decimal number");
    return value;
}

bool boolean(std::string_view word)
{
    if (word == "True")
        return true;
    if (word == "False")
        return false;
    fail("bad value " + quoted(word) + ": expected True or False");
}

std::string boolean_text(bool value) { return value ? "True" : "False"; }

void append_json_string(std::string& json, std::string_view text)
{
    json += '"';
    for (char c : text) {
        switch (c) {
        case '"':
            json += "\\\"";
            break;
        case '\\':
            json += "\\\\";
            break;
        case '\n':
            json += "\\n";
            break;
        case '\r':
            json += "\\r";
            break;
        case '\t':
            json += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                json += buffer;
            } else {
                json += c;
            }
        }
    }
    json += '"';
}

// The properties each kind shows to scripts, in the order `dump` lists them.
std::vector<std::string_view> const& properties_of(SpriteKind kind)
{
    static std::vector<std::string_view> const image { "Left", "Top", "Width", "Height", "Visible", "Enabled" };
    static std::vector<std::string_view> const label { "Left", "Top", "Width", "Height", "Visible", "Enabled",
        "Caption", "FontSize", "ForeColor", "BackColor" };
    static std::vector<std::string_view> const shape { "Left", "Top", "Width", "Height", "Visible" };
    static std::vector<std::string_view> const button { "Left", "Top", "Width", "Height", "Visible", "Caption" };
    switch (kind) {
    case SpriteKind::Image:
        return image;
    case SpriteKind::Label:
        return label;
    case SpriteKind::Shape:
        return shape;
    case SpriteKind::CommandButton:
        return button;
    }
    return shape;
}

bool has_property(SpriteKind kind, std::string_view property)
{
    auto const& names = properties_of(kind);
    return std::find(names.begin(), names.end(), property) != names.end();
}

Single* geometry(Sprite& sprite, std::string_view property)
{
    if (property == "Left")
        return &sprite.Left;
    if (property == "Top")
        return &sprite.Top;
    if (property == "Width")
        return &sprite.Width;
    if (property == "Height")
        return &sprite.Height;
    return nullptr;
}

// A sprite property in its printed form, with whether it is a number or a boolean in JSON.
struct Printed {
    std::string text;
    enum class Type { Number, Boolean, Text } type;
};

Printed read_property(Sprite& sprite, std::string_view property)
{
    using Type = Printed::Type;
    if (Single* value = geometry(sprite, property))
        return { float_text(value->get()), Type::Number };
    if (property == "Visible")
        return { boolean_text(sprite.Visible), Type::Boolean };
    switch (sprite.kind()) {
    case SpriteKind::Image:
        return { boolean_text(static_cast<Image&>(sprite).Enabled), Type::Boolean };
    case SpriteKind::Label: {
        auto& label = static_cast<Label&>(sprite);
        if (property == "Enabled")
            return { boolean_text(label.Enabled), Type::Boolean };
        if (property == "Caption")
            return { label.Caption.get(), Type::Text };
        if (property == "FontSize")
            return { float_text(label.FontSize.get()), Type::Number };
        if (property == "ForeColor")
            return { std::to_string(label.ForeColor.get()), Type::Number };
        return { std::to_string(label.BackColor.get()), Type::Number };
    }
    case SpriteKind::CommandButton:
        return { static_cast<CommandButton&>(sprite).Caption.get(), Type::Text };
    case SpriteKind::Shape:
        break;
    }
    return { "", Type::Text };
}

void write_property(Sprite& sprite, std::string_view property, std::string_view value)
{
    if (Single* single = geometry(sprite, property)) {
        *single = static_cast<float>(decimal_number(value, "number"));
        return;
    }
    if (property == "Visible") {
        sprite.Visible = boolean(value);
        return;
    }
    if (sprite.kind() == SpriteKind::Image) {
        static_cast<Image&>(sprite).Enabled = boolean(value);
        return;
    }
    if (sprite.kind() == SpriteKind::CommandButton) {
        static_cast<CommandButton&>(sprite).Caption = std::string(value);
        return;
    }
    auto& label = static_cast<Label&>(sprite);
    if (property == "Enabled")
        label.Enabled = boolean(value);
    else if (property == "Caption")
        label.Caption = std::string(value);
    else if (property == "FontSize")
        label.FontSize = static_cast<float>(decimal_number(value, "number"));
    else if (property == "ForeColor")
        label.ForeColor = whole_number<Colour>(value, 0, 0xFFFFFF, "colour");
    else
        label.BackColor = whole_number<Colour>(value, 0, 0xFFFFFF, "colour");
}

} // namespace

ScriptRunner::ScriptRunner()
    : m_stage(m_clock)
{
    add_box_set_windows(m_stage);
    m_stage.start(startup_window);
}

void ScriptRunner::run_granules(std::int64_t granules)
{
    std::int64_t const target = m_clock.now_us() + granules * Timer::granule_us;
    while (!m_stage.ended()) {
        auto const due = m_stage.next_due();
        if (!due || *due > target)
            break;
        m_clock.set(*due);
        m_stage.deliver_next_tick();
    }
    if (!m_stage.ended())
        m_clock.set(target);
}

namespace {

// What a target names once its words are looked up.
struct Target {
    std::string_view window_name;
    Window* window = nullptr; // null when the window is not loaded
    std::string_view field; // a window field or variable; empty for a sprite property
    Sprite* sprite = nullptr;
    Timer* timer = nullptr;
    std::string_view property;
    bool program = false;
};

bool is_window_field(std::string_view field)
{
    return field == "Loaded" || field == "Visible" || field == "Width" || field == "Caption" || field == "Focus";
}

Target resolve(Stage const& stage, std::string_view text)
{
    auto const parts = split(text, '.');
    Target target;
    if (parts.size() == 2 && parts[0] == "program") {
        if (parts[1] != "ended" && parts[1] != "active" && parts[1] != "clock")
            fail("unknown program value " + quoted(parts[1]) + ": expected ended, active or clock");
        target.program = true;
        target.field = parts[1];
        return target;
    }
    if (parts.size() < 2 || parts.size() > 3)
        fail("bad target " + quoted(text) + ": expected WINDOW.FIELD or WINDOW.SPRITE.PROPERTY");
    if (!stage.is_window(parts[0]))
        fail("unknown window " + quoted(parts[0]));
    target.window_name = parts[0];
    target.window = stage.find(parts[0]);
    if (parts.size() == 2) {
        target.field = parts[1];
        if (target.field == "Loaded" || target.field == "Visible")
            return target;
        if (!target.window)
            fail("window " + quoted(parts[0]) + " is not loaded");
        if (!is_window_field(target.field) && !target.window->variable(target.field))
            fail("window " + quoted(parts[0]) + " has no variable " + quoted(parts[1]));
        return target;
    }
    if (!target.window)
        fail("window " + quoted(parts[0]) + " is not loaded");
    target.property = parts[2];
    if (parts[1] == "Timer1" && target.window->timer()) {
        target.timer = target.window->timer();
        if (target.property != "Enabled" && target.property != "Interval")
            fail("a timer has no property " + quoted(target.property) + ": expected Enabled or Interval");
        return target;
    }
    target.sprite = target.window->sprite(parts[1]);
    if (!target.sprite)
        fail("window " + quoted(parts[0]) + " has no sprite " + quoted(parts[1]));
    if (!has_property(target.sprite->kind(), target.property))
        fail("sprite " + quoted(parts[1]) + " (" + std::string(kind_name(target.sprite->kind())) + ") has no property "
            + quoted(target.property));
    return target;
}

Window& visible_window(Stage& stage, std::string_view name)
{
    if (!stage.is_window(name))
        fail("unknown window " + quoted(name));
    Window* window = stage.find(name);
    if (!window || !window->visible())
        fail("window " + quoted(name) + " is not visible");
    return *window;
}

} // namespace

std::string ScriptRunner::read(std::string_view text) const
{
    Target const target = resolve(m_stage, text);
    if (target.program) {
        if (target.field == "ended")
            return boolean_text(m_stage.ended());
        if (target.field == "active")
            return m_stage.active() ? std::string(m_stage.active()->name()) : "none";
        return std::to_string(m_clock.now_us());
    }
    if (target.timer) {
        if (target.property == "Enabled")
            return boolean_text(target.timer->Enabled);
        return std::to_string(int { target.timer->Interval });
    }
    if (target.sprite)
        return read_property(*target.sprite, target.property).text;
    Window const* window = target.window;
    if (target.field == "Loaded")
        return boolean_text(window != nullptr);
    if (target.field == "Visible")
        return boolean_text(window && window->visible());
    if (target.field == "Width")
        return float_text(static_cast<float>(window->outer_width()));
    if (target.field == "Caption")
        return std::string(window->Caption());
    if (target.field == "Focus")
        return window->focus() ? window->focus()->name() : "none";
    return std::to_string(*window->variable(target.field));
}

std::string ScriptRunner::dump(std::string_view only) const
{
    std::string json = "{\"clock\":" + std::to_string(m_clock.now_us());
    json += ",\"ended\":";
    json += m_stage.ended() ? "true" : "false";
    json += ",\"active\":";
    if (m_stage.active())
        append_json_string(json, m_stage.active()->name());
    else
        json += "null";
    json += ",\"windows\":{";
    bool first_window = true;
    for (std::string_view name : m_stage.window_names()) {
        if (!only.empty() && name != only)
            continue;
        if (!std::exchange(first_window, false))
            json += ',';
        append_json_string(json, name);
        Window const* window = m_stage.find(name);
        if (!window) {
            json += ":{\"loaded\":false}";
            continue;
        }
        json += ":{\"loaded\":true,\"visible\":";
        json += window->visible() ? "true" : "false";
        json += ",\"Width\":" + float_text(static_cast<float>(window->outer_width()));
        json += ",\"Caption\":";
        append_json_string(json, window->Caption());
        json += ",\"focus\":";
        if (window->focus())
            append_json_string(json, window->focus()->name());
        else
            json += "null";
        json += ",\"vars\":{";
        bool first = true;
        for (auto const& variable : window->variables()) {
            if (!std::exchange(first, false))
                json += ',';
            append_json_string(json, variable.name);
            json += ':' + std::to_string(*variable.value);
        }
        json += "},\"sprites\":{";
        first = true;
        if (Timer const* timer = window->timer()) {
            json += "\"Timer1\":{\"kind\":\"Timer\",\"Enabled\":";
            json += timer->Enabled ? "true" : "false";
            json += ",\"Interval\":" + std::to_string(int { timer->Interval }) + "}";
            first = false;
        }
        for (Sprite* sprite : window->sprites()) {
            if (!std::exchange(first, false))
                json += ',';
            append_json_string(json, sprite->name());
            json += ":{\"kind\":";
            append_json_string(json, kind_name(sprite->kind()));
            for (std::string_view property : properties_of(sprite->kind())) {
                json += ',';
                append_json_string(json, property);
                json += ':';
                Printed const value = read_property(*sprite, property);
                if (value.type == Printed::Type::Text)
                    append_json_string(json, value.text);
                else if (value.type == Printed::Type::Boolean)
                    json += value.text == "True" ? "true" : "false";
                else
                    json += value.text;
            }
            json += '}';
        }
        json += "}}";
    }
    if (!only.empty() && first_window)
        fail("unknown window " + quoted(only));
    json += "}}";
    return json;
}

void ScriptRunner::execute(std::string_view line, std::ostream& out)
{
    std::string_view rest = line;
    std::string_view const command = next_word(rest);
    if (command.empty() || command.front() == '#')
        return;
    bool const ended = m_stage.ended();

    // `set` and `expect` take the rest of the line after the target and one blank as their value.
    auto target_and_value = [&]() -> std::pair<std::string_view, std::string_view> {
        std::string_view const target = next_word(rest);
        if (target.empty())
            fail(std::string(command) + " needs a TARGET and a VALUE");
        if (rest.empty())
            fail(std::string(command) + " needs a VALUE after " + quoted(target));
        return { target, rest.substr(1) };
    };
    auto no_more = [&] {
        if (!next_word(rest).empty())
            fail("too many words for " + quoted(command));
    };
    auto required = [&](std::string_view what) {
        std::string_view const word = next_word(rest);
        if (word.empty())
            fail(std::string(command) + " needs " + std::string(what));
        return word;
    };

    if (command == "run") {
        auto const granules
            = whole_number<std::int64_t>(required("a number of granules"), 0, 1'000'000'000'000, "count");
        no_more();
        if (!ended)
            run_granules(granules);
    } else if (command == "key") {
        int const code = whole_number<int>(required("a key code"), 0, 65535, "key code");
        no_more();
        if (!ended)
            m_stage.key_down(code);
    } else if (command == "click") {
        Window& window = visible_window(m_stage, required("a WINDOW"));
        std::string_view const name = required("a SPRITE");
        no_more();
        if (name == "Timer1")
            fail("a timer cannot be clicked");
        Sprite* sprite = window.sprite(name);
        if (!sprite)
            fail("window " + quoted(window.name()) + " has no sprite " + quoted(name));
        double const x = sprite->Left + sprite->Width / 2;
        double const y = sprite->Top + sprite->Height / 2;
        if (!ended) {
            m_stage.mouse_press(window, x, y, 1);
            m_stage.mouse_release(m_stage.find(window.name()), x, y, 1);
        }
    } else if (command == "press" || command == "release") {
        std::string_view const name = required("a WINDOW");
        if (!m_stage.is_window(name))
            fail("unknown window " + quoted(name));
        Window* window = command == "press" ? &visible_window(m_stage, name) : m_stage.find(name);
        double const x = decimal_number(required("X"), "coordinate");
        double const y = decimal_number(required("Y"), "coordinate");
        std::string_view const button_word = next_word(rest);
        int const button = button_word.empty() ? 1 : whole_number<int>(button_word, 1, 3, "button");
        no_more();
        if (!ended && command == "press")
            m_stage.mouse_press(*window, x, y, button);
        else if (!ended)
            m_stage.mouse_release(window, x, y, button);
    } else if (command == "close") {
        Window& window = visible_window(m_stage, required("a WINDOW"));
        no_more();
        if (!ended)
            m_stage.close(window);
    } else if (command == "resize") {
        Window& window = visible_window(m_stage, required("a WINDOW"));
        int const width = whole_number<int>(required("W"), 0, 1'000'000'000, "width");
        int const height = whole_number<int>(required("H"), 0, 1'000'000'000, "height");
        no_more();
        if (!ended)
            m_stage.resize(window, width, height);
    } else if (command == "rnd") {
        std::deque<float> values;
        for (std::string_view word = next_word(rest); !word.empty(); word = next_word(rest)) {
            auto const value = static_cast<float>(decimal_number(word, "random value"));
            if (!(value >= 0 && value < 1))
                fail("bad random value " + quoted(word) + ": expected at least 0 and below 1");
            values.push_back(value);
        }
        if (!ended)
            m_stage.random().queue(std::move(values));
    } else if (command == "set") {
        auto const [text, value] = target_and_value();
        Target const target = resolve(m_stage, text);
        if (target.program)
            fail("program values cannot be set");
        if (target.timer) {
            if (target.property == "Enabled") {
                bool const enabled = boolean(value);
                if (!ended)
                    target.timer->Enabled = enabled;
            } else {
                int const interval = whole_number<int>(value, 0, 65535, "interval");
                if (!ended)
                    target.timer->Interval = interval;
            }
        } else if (target.sprite) {
            if (!ended)
                write_property(*target.sprite, target.property, value);
            else
                (void)read_property(*target.sprite, target.property);
        } else if (target.field == "Visible") {
            bool const visible = boolean(value);
            if (!ended)
                m_stage.set_visible(target.window_name, visible);
        } else if (is_window_field(target.field)) {
            fail("window field " + quoted(target.field) + " cannot be set");
        } else {
            auto const number = whole_number<std::int16_t>(value, -32768, 32767, "integer");
            if (!ended)
                *target.window->variable(target.field) = number;
        }
    } else if (command == "print") {
        std::string_view const target = required("a TARGET");
        no_more();
        out << read(target) << '\n';
    } else if (command == "dump") {
        std::string_view const window = next_word(rest);
        no_more();
        if (!window.empty() && !m_stage.is_window(window))
            fail("unknown window " + quoted(window));
        out << dump(window) << '\n';
    } else if (command == "expect") {
        auto const [target, value] = target_and_value();
        std::string actual = read(target);
        if (actual != value)
            throw ExpectationFailed { std::string(value), std::move(actual) };
    } else {
        fail("unknown command " + quoted(command));
    }
}

int ScriptRunner::run(std::istream& script, std::ostream& out, std::ostream& errors)
{
    std::string line;
    for (long number = 1; std::getline(script, line); ++number) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        try {
            execute(line, out);
        } catch (ScriptError const& error) {
            out.flush();
            errors << "line " << number << ": " << error.message << '\n';
            return 2;
        } catch (ExpectationFailed const& failure) {
            out.flush();
            errors << "line " << number << ": expected " << failure.expected << ", got " << failure.actual << '\n';
            return 1;
        }
    }
    return 0;
}

} // namespace tolvane
