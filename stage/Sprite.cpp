#include "stage/Sprite.h"

#include "stage/Window.h"

#include <cmath>

namespace tolvane {

std::string_view kind_name(SpriteKind kind)
{
    switch (kind) {
    case SpriteKind::Image:
        return "Image";
    case SpriteKind::Label:
        return "Label";
    case SpriteKind::Shape:
        return "Shape";
    case SpriteKind::CommandButton:
        return "CommandButton";
    }
    return "?";
}

Single& Single::operator=(double value)
{
    auto const stored = static_cast<float>(value);
    if (!(stored == m_value) || std::signbit(stored) != std::signbit(m_value)) {
        m_value = stored;
        m_owner.changed();
    }
    return *this;
}

Sprite::Sprite(SpriteKind kind, std::string_view name, Bounds bounds, bool visible)
    : Left(*this, bounds.Left)
    , Top(*this, bounds.Top)
    , Width(*this, bounds.Width)
    , Height(*this, bounds.Height)
    , Visible(*this, visible)
    , m_name(name)
    , m_kind(kind)
{ }

void Sprite::changed()
{
    if (m_window)
        m_window->sprite_changed(*this);
}

// A shape never takes mouse input, a button always does while shown, pictures and labels only
// while they are enabled.
bool Sprite::takes_mouse() const
{
    if (!Visible)
        return false;
    switch (m_kind) {
    case SpriteKind::Image:
        return static_cast<Image const&>(*this).Enabled;
    case SpriteKind::Label:
        return static_cast<Label const&>(*this).Enabled;
    case SpriteKind::CommandButton:
        return true;
    case SpriteKind::Shape:
        return false;
    }
    return false;
}

Image::Image(ImageDesign const& design)
    : Sprite(SpriteKind::Image, design.name, design.bounds, design.visible)
    , Enabled(*this, design.enabled)
    , picture(design.picture)
    , stretch(design.stretch)
{ }

Label::Label(LabelDesign const& design)
    : Sprite(SpriteKind::Label, design.name, design.bounds, design.visible)
    , Enabled(*this, design.enabled)
    , Caption(*this, std::string(design.caption))
    , FontSize(*this, design.font.size)
    , ForeColor(*this, design.ForeColor)
    , BackColor(*this, design.BackColor)
    , weight(design.font.weight)
    , TabIndex(design.TabIndex)
{ }

Shape::Shape(ShapeDesign const& design)
    : Sprite(SpriteKind::Shape, design.name, design.bounds, design.visible)
    , BackColor(design.BackColor)
    , opaque(design.opaque)
    , BorderColor(design.BorderColor)
    , border_width(design.border_width)
    , FillColor(design.FillColor)
    , FillStyle(design.FillStyle)
{ }

CommandButton::CommandButton(ButtonDesign const& design)
    : Sprite(SpriteKind::CommandButton, design.name, design.bounds, design.visible)
    , Caption(*this, std::string(design.caption))
    , font(design.font)
    , style(design.style)
    , BackColor(design.BackColor)
    , TabIndex(design.TabIndex)
{ }

} // namespace tolvane
