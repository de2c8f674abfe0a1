#include "draw/Painter.h"

#include "draw/Lettering.h"

#include <cmath>
#include <span>

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

// How often an area is cut into pieces around an opaque sprite before it is painted as it is.
constexpr int most_splits = 2;

bool is_button(Sprite const* sprite) { return sprite->kind() == SpriteKind::CommandButton; }

} // namespace

// Every sprite's four edges go through here on every repaint. Within the clamped range a
// truncation, stepped down for negative values, is exactly the floor, and cheaper than calling it.
int Painter::to_pixels(double twips, double scale)
{
    if (std::isnan(twips))
        return 0;
    double const pixels = std::clamp(twips * scale / twips_per_pixel, -farthest_pixel, farthest_pixel) + 0.5;
    int const truncated = static_cast<int>(pixels);
    return truncated > pixels ? truncated - 1 : truncated;
}

PixelRect Painter::rectangle(Sprite const& sprite, double scale)
{
    int const left = to_pixels(sprite.Left, scale);
    int const top = to_pixels(sprite.Top, scale);
    return { left, top, to_pixels(sprite.Left + sprite.Width, scale) - left,
        to_pixels(sprite.Top + sprite.Height, scale) - top };
}

// A line of the design, such as a shape's border, in whole pixels at the scale: never thinner
// than a pixel where it has any width.
int Painter::scaled_line(int pixels) const
{
    if (pixels <= 0)
        return 0;
    return m_scale == 1 ? pixels : std::max(1, static_cast<int>(std::lround(pixels * m_scale)));
}

// A picture drawn at its own size is drawn at its size times the scale instead.
PixelRect Painter::scaled_size(Canvas const& picture) const
{
    if (m_scale == 1)
        return picture.bounds();
    return { 0, 0, std::max(1, static_cast<int>(std::lround(picture.width() * m_scale))),
        std::max(1, static_cast<int>(std::lround(picture.height() * m_scale))) };
}

// The copy to draw at that size, made once for it: pixel art by nearest pixel, the painted
// pictures smoothly. At scale 1 it is the picture; a copy too large to keep is the picture too,
// stretched as it is drawn.
Canvas const* Painter::at_scale(Canvas const& picture, std::string_view name) const
{
    if (m_scale == 1)
        return &picture;
    PixelRect const size = scaled_size(picture);
    return m_pictures->sized(picture, size.w, size.h, filter(name, m_pictures->lookup(name).alpha));
}

// Pictures stretched at scale 1 are drawn by nearest pixel, as they always were. A picture
// whose pixels are all either opaque or clear stays so, for its alpha is what decides how the
// canvas lays it.
Pictures::Filter Painter::filter(std::string_view name, Pictures::Alpha alpha) const
{
    if (m_scale == 1 || alpha == Pictures::Alpha::CutOut)
        return Pictures::Filter::Nearest;
    return Pictures::filter_of(name);
}

PixelRect Painter::area(Sprite const& sprite) const
{
    PixelRect const rect = rectangle(sprite, m_scale);
    if (sprite.kind() != SpriteKind::Image)
        return rect;
    auto const& image = static_cast<Image const&>(sprite);
    if (image.stretch || image.picture.empty())
        return rect;
    Canvas const* picture = m_pictures->find(image.picture);
    if (!picture)
        return rect;
    PixelRect const size = scaled_size(*picture);
    return { rect.x, rect.y, size.w, size.h };
}

void Painter::paint(Window const& window, Canvas& canvas, PixelRect area, ButtonLook look) const
{
    paint(window, canvas, std::span<PixelRect const>(&area, 1), look);
}

// Where each sprite lies and what its picture is are found once for all the areas of a repaint.
void Painter::paint(Window const& window, Canvas& canvas, std::span<PixelRect const> areas, ButtonLook look) const
{
    Scene const scene = place(window);
    for (PixelRect const area : areas)
        paint_area(window, scene, area.intersect(canvas.bounds()), canvas, look, 0);
    canvas.set_clip(canvas.bounds());
}

Painter::Scene Painter::place(Window const& window) const
{
    Scene scene;
    std::string_view const backdrop = window.design().picture;
    if (!backdrop.empty()) {
        Pictures::Found const found = m_pictures->lookup(backdrop);
        if (found.picture) {
            scene.backdrop = at_scale(*found.picture, backdrop);
            scene.backdrop_area = scaled_size(*found.picture);
        }
        scene.backdrop_alpha = found.alpha;
    }
    scene.sprites.reserve(window.sprites().size());
    for (Sprite const* sprite : window.sprites())
        if (sprite->Visible && !is_button(sprite))
            scene.sprites.push_back(place(*sprite));
    return scene;
}

// A label always fills its rectangle, a filled or opaque shape too (its border lies inside),
// and an image does where its picture is opaque.
Painter::Placed Painter::place(Sprite const& sprite) const
{
    Placed placed { .sprite = &sprite, .area = rectangle(sprite, m_scale) };
    switch (sprite.kind()) {
    case SpriteKind::Image: {
        auto const& image = static_cast<Image const&>(sprite);
        if (image.picture.empty())
            break;
        Pictures::Found const found = m_pictures->lookup(image.picture);
        if (!found.picture)
            break;
        if (image.stretch) {
            placed.picture
                = m_pictures->sized(*found.picture, placed.area.w, placed.area.h, filter(image.picture, found.alpha));
        } else {
            placed.picture = at_scale(*found.picture, image.picture);
            PixelRect const size = scaled_size(*found.picture);
            placed.area.w = size.w;
            placed.area.h = size.h;
        }
        placed.alpha = found.alpha;
        placed.hides = found.alpha == Pictures::Alpha::Opaque;
        break;
    }
    case SpriteKind::Label:
        placed.hides = true;
        break;
    case SpriteKind::Shape: {
        auto const& shape = static_cast<Shape const&>(sprite);
        placed.hides = shape.FillStyle == 0 || shape.opaque;
        break;
    }
    case SpriteKind::CommandButton:
        break;
    }
    return placed;
}

// Whatever lies beneath the topmost sprite that hides the whole area cannot show, so painting
// starts with that sprite: in the alien field most repaints lie on the opaque field and need
// neither the window's colour nor its picture. Sprites go from the last stored to the first,
// then the buttons above all.
void Painter::paint_area(
    Window const& window, Scene const& scene, PixelRect area, Canvas& canvas, ButtonLook look, int splits) const
{
    if (area.empty())
        return;
    std::size_t const count = scene.sprites.size();
    std::size_t cover = 0;
    while (cover < count && !(scene.sprites[cover].hides && scene.sprites[cover].area.contains(area)))
        ++cover;
    if (cover == count && splits < most_splits && split(window, scene, area, canvas, look, splits))
        return;
    canvas.set_clip(area);
    if (cover == count)
        paint_background(window, scene, canvas);
    for (std::size_t i = std::min(cover + 1, count); i-- > 0;)
        if (!scene.sprites[i].area.intersect(area).empty())
            paint_sprite(scene.sprites[i], canvas);
    // Buttons lie above everything, the first stored on top. (A reversed range view would read
    // better, but clang 14 cannot compile libstdc++ 12's views.)
    auto const& sprites = window.sprites();
    for (auto sprite = sprites.rbegin(); sprite != sprites.rend(); ++sprite)
        if ((*sprite)->Visible && is_button(*sprite))
            paint_button(static_cast<CommandButton const&>(**sprite), canvas, look);
}

// An area that an opaque sprite hides in most part, such as the place an opaque car left and
// the place it went to, is painted as two kinds of pieces: the hidden part from that sprite up,
// and the rest around it as usual. Every pixel is painted once instead of twice.
bool Painter::split(
    Window const& window, Scene const& scene, PixelRect area, Canvas& canvas, ButtonLook look, int splits) const
{
    auto const size = [](PixelRect r) { return static_cast<long long>(r.w) * r.h; };
    for (Placed const& placed : scene.sprites) {
        PixelRect const hidden = placed.area.intersect(area);
        if (!placed.hides || 2 * size(hidden) < size(area))
            continue;
        paint_area(window, scene, hidden, canvas, look, splits + 1);
        for (PixelRect const rest : { PixelRect { area.x, area.y, area.w, hidden.y - area.y },
                 PixelRect { area.x, hidden.bottom(), area.w, area.bottom() - hidden.bottom() },
                 PixelRect { area.x, hidden.y, hidden.x - area.x, hidden.h },
                 PixelRect { hidden.right(), hidden.y, area.right() - hidden.right(), hidden.h } })
            paint_area(window, scene, rest, canvas, look, splits + 1);
        return true;
    }
    return false;
}

// An opaque picture that fills the area leaves nothing of the window's colour to see.
void Painter::paint_background(Window const& window, Scene const& scene, Canvas& canvas) const
{
    bool const opaque = scene.backdrop_alpha == Pictures::Alpha::Opaque;
    if (!scene.backdrop || !opaque || !scene.backdrop_area.contains(canvas.clip()))
        canvas.fill(canvas.bounds(), window.design().BackColor);
    if (scene.backdrop)
        lay_picture(*scene.backdrop, scene.backdrop_alpha, scene.backdrop_area, canvas);
}

void Painter::paint_sprite(Placed const& placed, Canvas& canvas) const
{
    switch (placed.sprite->kind()) {
    case SpriteKind::Image:
        if (placed.picture)
            lay_picture(*placed.picture, placed.alpha, placed.area, canvas);
        break;
    case SpriteKind::Label:
        paint_label(static_cast<Label const&>(*placed.sprite), placed.area, canvas);
        break;
    case SpriteKind::Shape:
        paint_shape(static_cast<Shape const&>(*placed.sprite), placed.area, canvas);
        break;
    case SpriteKind::CommandButton:
        break;
    }
}

void Painter::lay_picture(Canvas const& picture, Pictures::Alpha alpha, PixelRect area, Canvas& canvas)
{
    switch (alpha) {
    case Pictures::Alpha::Opaque:
        canvas.cover(picture, area);
        return;
    case Pictures::Alpha::CutOut:
        canvas.cut_out(picture, area);
        return;
    case Pictures::Alpha::Blended:
        canvas.draw(picture, area);
        return;
    }
}

void Painter::paint_label(Label const& label, PixelRect box, Canvas& canvas) const
{
    canvas.fill(box, label.BackColor);
    Lettering(m_fonts->face(label.weight), label.FontSize * m_scale, label.Caption.view())
        .paint_wrapped(canvas, box, label.ForeColor);
}

// The border lies inside the rectangle; a shape without fill shows what is beneath it unless
// its background is opaque.
void Painter::paint_shape(Shape const& shape, PixelRect box, Canvas& canvas) const
{
    int const border = scaled_line(shape.border_width);
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
    PixelRect const box = rectangle(button, m_scale);
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
    Lettering(m_fonts->face(button.font.weight), button.font.size * m_scale, button.Caption.view())
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
