#pragma once

#include "draw/Canvas.h"
#include "draw/Fonts.h"
#include "draw/Pictures.h"
#include "stage/Window.h"

#include <span>
#include <vector>

namespace tolvane {

// What the desktop adds to a window's own state when it draws it: whether it is the active
// window, whose focused button shows a focus rectangle, and which button the mouse holds down.
struct ButtonLook {
    bool active = false;
    Sprite const* pressed = nullptr;

    bool operator==(ButtonLook const&) const = default;
};

// Draws a window as the program left it: its colour and picture, then its sprites from the
// last stored to the first, so that an earlier sprite lies on top, and the buttons above all.
class Painter {
public:
    // `scale`: pixels drawn for each pixel of the design, 15 twips, on a high-density screen more
    // than one.
    Painter(Pictures& pictures, Fonts const& fonts, double scale)
        : m_pictures(&pictures)
        , m_fonts(&fonts)
        , m_scale(scale)
    { }

    double scale() const { return m_scale; }
    // A painter of the same pictures and fonts at another scale.
    Painter with_scale(double scale) const { return Painter(*m_pictures, *m_fonts, scale); }

    // Paints only the pixels inside `area`; everything outside it is left as it was.
    void paint(Window const& window, Canvas& canvas, PixelRect area, ButtonLook look) const;
    // The same for every area of a repaint at once.
    void paint(Window const& window, Canvas& canvas, std::span<PixelRect const> areas, ButtonLook look) const;

    // The pixels a visible sprite can touch: its rectangle, or its picture's own size when the
    // picture is not stretched.
    PixelRect area(Sprite const& sprite) const;

    // Twips to whole pixels at a scale: 15 / `scale` twips a pixel, each edge rounded to the
    // nearest pixel edge.
    static int to_pixels(double twips, double scale);
    static PixelRect rectangle(Sprite const& sprite, double scale);

private:
    // A visible sprite other than a button, as one repaint draws it.
    struct Placed {
        Sprite const* sprite = nullptr;
        PixelRect area; // the pixels it can touch
        Canvas const* picture = nullptr; // an image's picture, when it has one that can be read
        Pictures::Alpha alpha = Pictures::Alpha::Blended; // the picture's
        bool hides = false; // every pixel of `area` is painted opaque, hiding what lies beneath
    };
    struct Scene {
        Canvas const* backdrop = nullptr; // the window's own picture
        PixelRect backdrop_area; // where it lies: from the top-left corner, at its size times the scale
        Pictures::Alpha backdrop_alpha = Pictures::Alpha::Blended;
        std::vector<Placed> sprites; // in stored order
    };

    Scene place(Window const& window) const;
    Placed place(Sprite const& sprite) const;
    void paint_area(
        Window const& window, Scene const& scene, PixelRect area, Canvas& canvas, ButtonLook look, int splits) const;
    bool split(
        Window const& window, Scene const& scene, PixelRect area, Canvas& canvas, ButtonLook look, int splits) const;
    void paint_background(Window const& window, Scene const& scene, Canvas& canvas) const;
    void paint_sprite(Placed const& placed, Canvas& canvas) const;
    static void lay_picture(Canvas const& picture, Pictures::Alpha alpha, PixelRect area, Canvas& canvas);
    void paint_label(Label const& label, PixelRect box, Canvas& canvas) const;
    void paint_shape(Shape const& shape, PixelRect box, Canvas& canvas) const;
    int scaled_line(int pixels) const;
    void paint_button(CommandButton const& button, Canvas& canvas, ButtonLook look) const;
    void paint_focus(Canvas& canvas, PixelRect face) const;
    PixelRect scaled_size(Canvas const& picture) const;
    Canvas const* at_scale(Canvas const& picture, std::string_view name) const;
    Pictures::Filter filter(std::string_view name, Pictures::Alpha alpha) const;

    Pictures* m_pictures;
    Fonts const* m_fonts;
    double m_scale = 1;
};

} // namespace tolvane
