#include "tools/script/Targets.h"

#include "stage/Numbers.h"
#include "tools/script/Words.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace tolvane {

namespace {

// A float as scripts print it; the cases that are not finite come only from the games' own
// arithmetic, and are spelled the same whatever the sign of a NaN.
std::string number_text(float value)
{
    if (std::isnan(value))
        return "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    return float_text(value);
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

// "a, b or c", for the messages that list what a name could have been.
std::string one_of(std::vector<std::string_view> const& names)
{
    std::string text;
    for (std::size_t index = 0; index < names.size(); ++index) {
        if (index > 0)
            text += index + 1 == names.size() ? " or " : ", ";
        text += names[index];
    }
    return text;
}

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

} // namespace

std::string printed(Value const& value)
{
    struct Printer {
        std::string operator()(bool b) const { return b ? "True" : "False"; }
        std::string operator()(float f) const { return number_text(f); }
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
        append_json_string(json, number_text(*f));
    else
        json += printed(value);
}

namespace {

// The properties of sprites and timers.
//
// A window's timer shows itself to scripts and `dump` as one more sprite, `Timer1` of kind
// `Timer`, so a property row serves sprites and timers alike.
using Element = std::variant<Sprite*, Timer*>;

enum class Kind { Image, Label, Shape, CommandButton, Timer };

constexpr unsigned kind_bit(Kind kind) { return 1u << static_cast<unsigned>(kind); }

Kind kind_of(Element element)
{
    if (std::holds_alternative<Timer*>(element))
        return Kind::Timer;
    switch (std::get<Sprite*>(element)->kind()) {
    case SpriteKind::Image:
        return Kind::Image;
    case SpriteKind::Label:
        return Kind::Label;
    case SpriteKind::Shape:
        return Kind::Shape;
    case SpriteKind::CommandButton:
        break;
    }
    return Kind::CommandButton;
}

std::string_view kind_name(Element element)
{
    if (std::holds_alternative<Timer*>(element))
        return "Timer";
    return kind_name(std::get<Sprite*>(element)->kind());
}

// The kinds that have a member declared in `Owner`: every sprite kind for the members of Sprite.
template <typename Owner> constexpr unsigned kinds_of()
{
    if constexpr (std::is_same_v<Owner, Sprite>)
        return kind_bit(Kind::Image) | kind_bit(Kind::Label) | kind_bit(Kind::Shape) | kind_bit(Kind::CommandButton);
    else if constexpr (std::is_same_v<Owner, Image>)
        return kind_bit(Kind::Image);
    else if constexpr (std::is_same_v<Owner, Label>)
        return kind_bit(Kind::Label);
    else if constexpr (std::is_same_v<Owner, Shape>)
        return kind_bit(Kind::Shape);
    else if constexpr (std::is_same_v<Owner, CommandButton>)
        return kind_bit(Kind::CommandButton);
    else
        return kind_bit(Kind::Timer);
}

// The element as an `Owner`, checked: null when it is something else.
template <typename Owner> Owner* owner_of(Element element)
{
    if constexpr (std::is_same_v<Owner, Timer>) {
        Timer* const* timer = std::get_if<Timer*>(&element);
        return timer ? *timer : nullptr;
    } else {
        Sprite* const* sprite = std::get_if<Sprite*>(&element);
        return sprite ? dynamic_cast<Owner*>(*sprite) : nullptr;
    }
}

// How each type of property is read, checked when a script writes it, and written.
template <typename Property> struct Codec;

template <> struct Codec<Single> {
    static Value read(Single const& property) { return property.get(); }
    static Value parse(std::string_view word) { return single_number(word); }
    static void write(Single& property, Value const& value) { property = std::get<float>(value); }
};

template <> struct Codec<Property<bool>> {
    static Value read(Property<bool> const& property) { return property.get(); }
    static Value parse(std::string_view word) { return boolean(word); }
    static void write(Property<bool>& property, Value const& value) { property = std::get<bool>(value); }
};

template <> struct Codec<TimerSwitch> {
    static Value read(TimerSwitch const& property) { return bool { property }; }
    static Value parse(std::string_view word) { return boolean(word); }
    static void write(TimerSwitch& property, Value const& value) { property = std::get<bool>(value); }
};

template <> struct Codec<CaptionProperty> {
    static Value read(CaptionProperty const& property) { return property.get(); }
    static Value parse(std::string_view text) { return std::string(text); }
    static void write(CaptionProperty& property, Value const& value) { property = std::get<std::string>(value); }
};

template <> struct Codec<Property<Colour>> {
    static Value read(Property<Colour> const& property) { return std::int64_t { property.get() }; }
    static Value parse(std::string_view word)
    {
        return std::int64_t { whole_number<Colour>(word, 0, 0xFFFFFF, "colour") };
    }
    static void write(Property<Colour>& property, Value const& value)
    {
        property = static_cast<Colour>(std::get<std::int64_t>(value));
    }
};

template <> struct Codec<TimerInterval> {
    static Value read(TimerInterval const& property) { return std::int64_t { int { property } }; }
    static Value parse(std::string_view word) { return std::int64_t { whole_number<int>(word, 0, 65535, "interval") }; }
    static void write(TimerInterval& property, Value const& value)
    {
        property = static_cast<int>(std::get<std::int64_t>(value));
    }
};

template <typename> struct MemberOf;
template <typename Class, typename Type> struct MemberOf<Type Class::*> {
    using Owner = Class;
    using Property = Type;
};
template <auto Member> using OwnerOf = typename MemberOf<decltype(Member)>::Owner;
template <auto Member> using CodecOf = Codec<typename MemberOf<decltype(Member)>::Property>;

[[noreturn]] void not_served()
{
    throw std::logic_error("a property row was used on a kind that it does not serve; resolve() checks the kind");
}

// Reads the first of the members that the element has.
template <auto Member, auto... Others> Value read_member(Element element)
{
    if (auto* owner = owner_of<OwnerOf<Member>>(element))
        return CodecOf<Member>::read(owner->*Member);
    if constexpr (sizeof...(Others) > 0)
        return read_member<Others...>(element);
    else
        not_served();
}

template <auto Member, auto... Others> void write_member(Element element, Value const& value)
{
    if (auto* owner = owner_of<OwnerOf<Member>>(element))
        return CodecOf<Member>::write(owner->*Member, value);
    if constexpr (sizeof...(Others) > 0)
        write_member<Others...>(element, value);
    else
        not_served();
}

// One property as scripts see it: its name, the kinds that have it, and how it is read, checked
// and written. The kinds are those that declare its members, so the row cannot claim a kind
// that does not have the property.
struct PropertyRow {
    std::string_view name;
    unsigned kinds;
    Value (*read)(Element);
    Value (*parse)(std::string_view);
    void (*write)(Element, Value const&);

    bool serves(Element element) const { return (kinds & kind_bit(kind_of(element))) != 0; }
};

template <auto Member, auto... Others> constexpr PropertyRow property(std::string_view name)
{
    static_assert((std::is_same_v<decltype(CodecOf<Member>::parse({})), decltype(CodecOf<Others>::parse({}))> && ...));
    return { name, (kinds_of<OwnerOf<Member>>() | ... | kinds_of<OwnerOf<Others>>()), &read_member<Member, Others...>,
        &CodecOf<Member>::parse, &write_member<Member, Others...> };
}

// In the order in which `dump` lists them.
constexpr PropertyRow properties[] = {
    property<&Sprite::Left>("Left"),
    property<&Sprite::Top>("Top"),
    property<&Sprite::Width>("Width"),
    property<&Sprite::Height>("Height"),
    property<&Sprite::Visible>("Visible"),
    property<&Image::Enabled, &Label::Enabled, &Timer::Enabled>("Enabled"),
    property<&Label::Caption, &CommandButton::Caption>("Caption"),
    property<&Label::FontSize>("FontSize"),
    property<&Label::ForeColor>("ForeColor"),
    property<&Label::BackColor>("BackColor"),
    property<&Timer::Interval>("Interval"),
};

std::vector<std::string_view> property_names(Element element)
{
    std::vector<std::string_view> names;
    for (PropertyRow const& row : properties)
        if (row.serves(element))
            names.push_back(row.name);
    return names;
}

// The timer answers to `Timer1` only in a window that has one; elsewhere it is no sprite.
Element element_of(Window const& window, std::string_view name)
{
    if (name == "Timer1" && window.timer())
        return window.timer();
    if (Sprite* sprite = window.sprite(name))
        return sprite;
    fail("window " + quoted(window.name()) + " has no sprite " + quoted(name));
}

PropertyRow const& property_of(Element element, std::string_view sprite_name, std::string_view name)
{
    if (PropertyRow const* row = find_row(properties, name); row && row->serves(element))
        return *row;
    if (std::holds_alternative<Timer*>(element))
        fail("a timer has no property " + quoted(name) + ": expected " + one_of(property_names(element)));
    fail(
        "sprite " + quoted(sprite_name) + " (" + std::string(kind_name(element)) + ") has no property " + quoted(name));
}

Target property_target(Window const& window, std::string_view sprite_name, std::string_view name)
{
    Element const element = element_of(window, sprite_name);
    PropertyRow const* row = &property_of(element, sprite_name, name);
    return { [=] { return row->read(element); }, row->parse,
        [=](Stage&, Value const& value) { row->write(element, value); }, {} };
}

void append_element_json(std::string& json, std::string_view name, Element element)
{
    append_json_string(json, name);
    json += ":{\"kind\":";
    append_json_string(json, kind_name(element));
    for (PropertyRow const& row : properties) {
        if (!row.serves(element))
            continue;
        json += ',';
        append_json_string(json, row.name);
        json += ':';
        append_json(json, row.read(element));
    }
    json += '}';
}

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
    void (*write)(Stage&, std::string_view window, Value const&);
};

constexpr WindowField window_fields[] = {
    { "Loaded", false, [](Window const* window) -> Value { return window != nullptr; }, nullptr },
    { "Visible", false, [](Window const* window) -> Value { return window && window->visible(); },
        [](Stage& stage, std::string_view window, Value const& visible) {
            stage.set_visible(window, std::get<bool>(visible));
        } },
    { "Width", true, [](Window const* window) -> Value { return static_cast<float>(window->outer_width()); }, nullptr },
    { "Caption", true, [](Window const* window) -> Value { return std::string(window->Caption()); }, nullptr },
    { "Focus", true,
        [](Window const* window) -> Value { return window->focus() ? window->focus()->name() : std::string("none"); },
        nullptr },
};

Target window_field_target(Stage const& stage, std::string_view name, WindowField const& field)
{
    Target target;
    target.read = [&stage, name, &field] { return field.read(stage.find(name)); };
    if (!field.write) {
        target.read_only = "window field " + quoted(field.name) + " cannot be set";
        return target;
    }
    target.parse = [](std::string_view word) -> Value { return boolean(word); };
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

void append_sprites_json(std::string& json, Window const& window)
{
    bool first = true;
    auto append = [&](std::string_view name, Element element) {
        if (!std::exchange(first, false))
            json += ',';
        append_element_json(json, name, element);
    };
    if (Timer* timer = window.timer())
        append("Timer1", timer);
    for (Sprite* sprite : window.sprites())
        append(sprite->name(), sprite);
}

} // namespace tolvane
