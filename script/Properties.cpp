#include "script/Properties.h"

#include "script/Words.h"
#include "stage/Check.h"

#include <type_traits>
#include <variant>
#include <vector>

namespace tolvane {

namespace {

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
    check_failed("the row serves the element's kind",
        "a property row was used on a kind that it does not serve: resolve() checks the kind first", __FILE__,
        __LINE__);
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

} // namespace

Target property_target(Window const& window, std::string_view sprite_name, std::string_view name)
{
    Element const element = element_of(window, sprite_name);
    PropertyRow const* row = &property_of(element, sprite_name, name);
    return { [=] { return row->read(element); }, row->parse,
        [=](Stage&, Value const& value) { row->write(element, value); }, {} };
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
