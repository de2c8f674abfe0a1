#pragma once

#include "stage/Check.h"
#include "stage/Colour.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace tolvane {

class Sprite;
class Window;

// A property of a sprite that the program reads and writes. Assigning a new value tells the
// sprite's window, so the screen is redrawn and the stage can keep the keyboard focus right.
template <typename T> class Property {
public:
    Property(Sprite& owner, T value)
        : m_owner(owner)
        , m_value(std::move(value))
    { }
    Property(Property const&) = delete;

    operator T const&() const { return m_value; }
    T const& get() const { return m_value; }
    Property& operator=(T value);
    Property& operator=(Property const& other) { return *this = other.get(); }

private:
    Sprite& m_owner;
    T m_value;
};

// Geometry in twips and font sizes are held as 32-bit floats but read as doubles, so that arithmetic on it is
// carried out in double precision and rounded to a float only when it is stored back.
class Single {
public:
    Single(Sprite& owner, float value)
        : m_owner(owner)
        , m_value(value)
    { }
    Single(Single const&) = delete;

    operator double() const { return m_value; }
    float get() const { return m_value; }
    Single& operator=(double value);
    Single& operator=(Single const& other) { return *this = other.get(); }

private:
    Sprite& m_owner;
    float m_value;
};

class CaptionProperty : public Property<std::string> {
public:
    using Property::Property;
    using Property::operator=;
    CaptionProperty& operator=(char const* text)
    {
        Property::operator=(std::string(text));
        return *this;
    }
    std::string_view view() const { return get(); }
};

enum class SpriteKind { Image, Label, Shape, CommandButton };

std::string_view kind_name(SpriteKind);

struct Bounds {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

// The default font of every label and button is "MS Sans Serif" at 8.25 points, regular.
struct Font {
    float size = 8.25f;
    int weight = 400;
};

// Everything a window draws and the mouse can reach. The four kinds below add their own
// properties; design-only values are plain members that never change after loading.
class Sprite {
public:
    Sprite(Sprite const&) = delete;
    Sprite& operator=(Sprite const&) = delete;
    virtual ~Sprite() = default;

    std::string const& name() const { return m_name; }
    SpriteKind kind() const { return m_kind; }
    Window* window() const { return m_window; }
    bool takes_mouse() const;

    Single Left;
    Single Top;
    Single Width;
    Single Height;
    Property<bool> Visible;

    // Bound by the window to its `<sprite>_Click` handler, if it has one.
    std::function<void()> on_click;

protected:
    Sprite(SpriteKind kind, std::string_view name, Bounds bounds, bool visible);

private:
    friend class Window;
    template <typename> friend class Property;
    friend class Single;
    void changed();

    std::string m_name;
    SpriteKind m_kind;
    Window* m_window = nullptr;
};

struct ImageDesign {
    std::string_view name = {};
    Bounds bounds = {};
    std::string_view picture = {}; // asset name, such as "Pondleap1/imgTruck"; empty: no picture
    bool stretch = true;
    bool visible = true;
    bool enabled = true;
};

class Image final : public Sprite {
public:
    explicit Image(ImageDesign const&);

    Property<bool> Enabled;

    std::string const picture;
    bool const stretch;
};

struct LabelDesign {
    std::string_view name = {};
    Bounds bounds = {};
    std::string_view caption = {};
    Font font = {};
    Colour BackColor = colours::ButtonFace;
    Colour ForeColor = colours::ButtonText;
    bool visible = true;
    bool enabled = true;
    int TabIndex = 0;
};

class Label final : public Sprite {
public:
    explicit Label(LabelDesign const&);

    Property<bool> Enabled;
    CaptionProperty Caption;
    Single FontSize;
    Property<Colour> ForeColor;
    Property<Colour> BackColor;

    int const weight;
    int const TabIndex;
};

struct ShapeDesign {
    std::string_view name = {};
    Bounds bounds = {};
    Colour BackColor = colours::ButtonFace;
    bool opaque = false; // background drawn in BackColor rather than transparent
    Colour BorderColor = colours::WindowText;
    int border_width = 1; // pixels, drawn inside the rectangle
    Colour FillColor = colours::Black;
    int FillStyle = 1; // 0 solid, 1 none
    bool visible = true;
};

class Shape final : public Sprite {
public:
    explicit Shape(ShapeDesign const&);

    Colour const BackColor;
    bool const opaque;
    Colour const BorderColor;
    int const border_width;
    Colour const FillColor;
    int const FillStyle;
};

struct ButtonDesign {
    std::string_view name = {};
    Bounds bounds = {};
    std::string_view caption = {};
    Font font = {};
    int style = 0; // 1: the face is painted in BackColor
    Colour BackColor = colours::ButtonFace;
    int TabIndex = 0;
    bool visible = true;
};

class CommandButton final : public Sprite {
public:
    explicit CommandButton(ButtonDesign const&);

    CaptionProperty Caption;

    Font const font;
    int const style;
    Colour const BackColor;
    int const TabIndex;
};

// A set of sprites of one kind under one name, told apart by an index from 0.
template <typename T, std::size_t N> struct SpriteArray {
    std::array<T, N> elements;

    T& Item(int index)
    {
        TOLVANE_CHECK(index >= 0 && static_cast<std::size_t>(index) < N,
            "a sprite array's index is out of its range: index from 0 to Count - 1");
        return elements[static_cast<std::size_t>(index)];
    }
    static constexpr int Count = static_cast<int>(N);
};

template <typename T> Property<T>& Property<T>::operator=(T value)
{
    if (!(value == m_value)) {
        m_value = std::move(value);
        m_owner.changed();
    }
    return *this;
}

} // namespace tolvane
