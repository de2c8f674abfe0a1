#include "shell/Painter.h"

#include "shell/Lettering.h"

#include <cmath>
#include <ranges>

namespace tolvane {

namespace {

constexpr int twips_per_pixel = 15;

// Positions far beyond any screen are held back here so that pixel arithmetic cannot overflow;
// such a sprite is off the window either way.
constexpr double farthest_pixel = 1 << 24;

// The desktop's three-dimensional button edges.
constexpr Colour highlight = 0x00FFFFFF;
constexpr Colour light = 0x00E3E3E3;
constexpr Colour shadow = 0x00A0A0A0;
constexpr Colour dark_shadow = 0x00696969;

bool is_button(Sprite const* sprite) { return sprite->kind() == SpriteKind::CommandButton; }

} // namespace

int Painter::to_pixels(double twips)
{
    if (std::isnan(twips))
        return 0;
    double const pixels = std::clamp(twips / twips_per_pixel, -farthest_pixel, farthest_pixel);
    return static_cast<int>(std::floor(pixels + 0.5));
}

PixelRect Painter::rectangle(Sprite const& sprite)
{
    int const left = to_pixels(sprite.Left);
    int const top = to_pixels(sprite.Top);
    return { left, top, to_pixels(sprite.Left + sprite.Width) - left, to_pixels(sprite.Top + sprite.Height) - top };
}

PixelRect Painter::area(Sprite const& sprite) const
{
    PixelRect const rect = rectangle(sprite);
    if (sprite.kind() != SpriteKind::Image)
        return rect;
    auto const& image = static_cast<Image const&>(sprite);
    if (image.stretch || image.picture.empty())
        return rect;
    Canvas const* picture = m_pictures.find(image.picture);
    return picture ? PixelRect { rect.x, rect.y, picture->width(), picture->height() } : rect;
}

void Painter::paint(Window const& window, Canvas& canvas, PixelRect area, ButtonLook look) const
{
    canvas.set_clip(area);
    canvas.fill(canvas.bounds(), window.design().BackColor);
    if (!window.design().picture.empty())
        if (Canvas const* picture = m_pictures.find(window.design().picture))
            canvas.draw(*picture, picture->bounds());
    for (Sprite const* sprite : window.sprites() | std::views::reverse) {
        if (!sprite->Visible || is_button(sprite))
            continue;
        switch (sprite->kind()) {
        case SpriteKind::Image:
            paint_image(static_cast<Image const&>(*sprite), canvas);
            break;
        case SpriteKind::Label:
            paint_label(static_cast<Label const&>(*sprite), canvas);
            break;
        case SpriteKind::Shape:
            paint_shape(static_cast<Shape const&>(*sprite), canvas);
            break;
        case SpriteKind::CommandButton:
            break;
        }
    }
    for (Sprite const* sprite : window.sprites() | std::views::reverse)
        if (sprite->Visible && is_button(sprite))
            paint_button(static_cast<CommandButton const&>(*sprite), canvas, look);
    canvas.set_clip(canvas.bounds());
}

void Painter::paint_image(Image const& image, Canvas& canvas) const
{
    if (image.picture.empty())
        return;
    if (Canvas const* picture = m_pictures.find(image.picture))
        canvas.draw(*picture, area(image));
}

void Painter::paint_label(Label const& label, Canvas& canvas) const
{
    PixelRect const box = rectangle(label);
    if (box.intersect(canvas.clip()).empty())
        return;
    canvas.fill(box, label.BackColor);
    Lettering(m_fonts.face(label.weight), label.FontSize, label.Caption.view())
        .paint_wrapped(canvas, box, label.ForeColor);
}

// The border lies inside the rectangle; a shape without fill shows what is beneath it unless
// its background is opaque.
void Painter::paint_shape(Shape const& shape, Canvas& canvas) const
{
    PixelRect const box = rectangle(shape);
    int const border = std::max(shape.border_width, 0);
    PixelRect const inside { box.x + border, box.y + border, box.w - 2 * border, box.h - 2 * border };
    if (shape.FillStyle == 0)
        canvas.fill(inside, shape.FillColor);
    else if (shape.opaque)
        canvas.fill(inside, shape.BackColor);
    canvas.frame(box, border, shape.BorderColor);
}

// A raised face with the desktop's edges; held down by the mouse it sinks and its caption moves
// one pixel down and right. The focused button of the active window gets a dotted rectangle.
void Painter::paint_button(CommandButton const& button, Canvas& canvas, ButtonLook look) const
{
    PixelRect const box = rectangle(button);
    if (box.intersect(canvas.clip()).empty())
        return;
    bool const pressed = look.pressed == &button;
    bool const focused = look.active && button.window() && button.window()->focus() == &button;
    canvas.fill(box, button.style == 1 ? button.BackColor : colours::ButtonFace);
    PixelRect face = box;
    if (focused) {
        canvas.frame(face, 1, colours::Black);
        face = { face.x + 1, face.y + 1, face.w - 2, face.h - 2 };
    }
    if (pressed) {
        canvas.frame(face, 1, shadow);
    } else {
        canvas.frame(face, 1, dark_shadow);
        canvas.fill({ face.x, face.y, face.w - 1, 1 }, highlight);
        canvas.fill({ face.x, face.y, 1, face.h - 1 }, highlight);
        PixelRect const inner { face.x + 1, face.y + 1, face.w - 2, face.h - 2 };
        canvas.frame(inner, 1, shadow);
        canvas.fill({ inner.x, inner.y, inner.w - 1, 1 }, light);
        canvas.fill({ inner.x, inner.y, 1, inner.h - 1 }, light);
    }
    int const shift = pressed ? 1 : 0;
    Lettering(m_fonts.face(button.font.weight), button.font.size, button.Caption.view())
        .paint_centred(canvas, { box.x + shift, box.y + shift, box.w, box.h }, colours::ButtonText);
    if (focused)
        paint_focus(canvas, { face.x + 3, face.y + 3, face.w - 6, face.h - 6 });
}

void Painter::paint_focus(Canvas& canvas, PixelRect face) const
{
    if (face.empty())
        return;
    std::uint32_t const ink = pixel_of(colours::Black);
    for (int x = face.x; x < face.right(); x += 2) {
        canvas.put(x, face.y, ink);
        canvas.put(x, face.bottom() - 1, ink);
    }
    for (int y = face.y; y < face.bottom(); y += 2) {
        canvas.put(face.x, y, ink);
        canvas.put(face.right() - 1, y, ink);
    }
}

} // namespace tolvane
