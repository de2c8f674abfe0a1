#pragma once

#include "shell/Canvas.h"
#include "shell/Fonts.h"
#include "shell/Pictures.h"
#include "stage/Window.h"

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
    Painter(Pictures& pictures, Fonts const& fonts)
        : m_pictures(pictures)
        , m_fonts(fonts)
    { }

    // Paints only the pixels inside `area`; everything outside it is left as it was.
    void paint(Window const& window, Canvas& canvas, PixelRect area, ButtonLook look) const;

    // The pixels a visible sprite can touch: its rectangle, or its picture's own size when the
    // picture is not stretched.
    PixelRect area(Sprite const& sprite) const;

    static int to_pixels(double twips);
    static PixelRect rectangle(Sprite const& sprite);

private:
    void paint_image(Image const& image, Canvas& canvas) const;
    void paint_label(Label const& label, Canvas& canvas) const;
    void paint_shape(Shape const& shape, Canvas& canvas) const;
    void paint_button(CommandButton const& button, Canvas& canvas, ButtonLook look) const;
    void paint_focus(Canvas& canvas, PixelRect face) const;

    Pictures& m_pictures;
    Fonts const& m_fonts;
};

} // namespace tolvane
