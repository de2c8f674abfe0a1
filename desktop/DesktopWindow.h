#pragma once

#include "desktop/Placement.h"
#include "draw/Canvas.h"
#include "draw/Damage.h"
#include "draw/Painter.h"
#include "stage/Window.h"

#include <cstdint>
#include <vector>

struct SDL_Window;
struct SDL_Surface;
struct SDL_Rect;
struct SDL_Point;

namespace tolvane {

// The scale a window is drawn at: the one chosen for the run, or, where the window would not fit
// the screen's work area at that scale and the player did not choose it on the command line, the
// largest below it at which it does.
struct WindowScale {
    double chosen = 1;
    bool fit_work_area = false;
};

// Where the centre of client pixel `pixel` lies, in twips, along either axis, at a scale.
double twips_of(int pixel, double scale);

// The real window on the desktop for one loaded window of the program: created hidden when the
// window loads, destroyed when it unloads. It keeps a picture of the client area and repaints
// only what changed in it, at its own scale.
class DesktopWindow {
public:
    DesktopWindow(Window& window, Canvas const* icon, WindowScale scale);
    ~DesktopWindow();
    DesktopWindow(DesktopWindow const&) = delete;
    DesktopWindow& operator=(DesktopWindow const&) = delete;

    Window& window() const { return m_window; }
    std::uint32_t id() const { return m_id; }
    // The X window behind it; 0 off X11.
    unsigned long x_window() const { return m_x_window; }
    // Another client destroyed the real window: nothing is asked of it any more but to go.
    void lost() { m_lost = true; }
    Canvas const& canvas() const { return m_canvas; }
    // Pixels on the screen for each pixel of the design (15 twips).
    double scale() const { return m_scale; }
    // Where the centre of client pixel `pixel` lies, in twips, along either axis.
    double twips(int pixel) const { return twips_of(pixel, m_scale); }
    // A client size of `pixels` along an axis, in whole twips; `now` when the size is the one
    // the window has, which a round trip through pixels at a fractional scale could miss.
    int client_twips(int pixels, int now) const;

    // `take_keyboard`: whether the window may take the keyboard as it shows, which it must not
    // while the player is in another program.
    void show(bool take_keyboard);
    // Takes the window off the desktop in every state it may be in: normal, minimized, maximized or
    // on another workspace.
    void hide();
    void raise();
    // The window's client size changed in the program: the whole area is painted afresh.
    void follow_size();
    // Puts a window that the desktop does not place where its design wants it, once the frame
    // around it is known, and keeps every window inside the screen's work area as far as it
    // fits. Only its first showing places it: shown again, it is where it was.
    void settle_position();
    // Keeps a window without a maximize button from staying maximized, should a window manager
    // that offers no way to take the button away maximize it all the same.
    void refuse_maximize();
    bool minimized() const;
    // While the box set is paused the title says so after the window's caption; the caption the
    // program knows stays as it is.
    void show_paused(bool paused);
    // The client area's size on the desktop, in pixels.
    PixelRect client_size() const;

    // Paints with `painter`'s pictures and fonts, at the window's own scale.
    void repaint(Painter const& painter, ButtonLook look);
    void present_all();

    // Whether client pixel (x, y) lies inside the client area.
    bool contains(int x, int y) const;
    // The part of the client area that is painted, from its top-left corner: at most the desktop.
    PixelRect drawn() const;

private:
    SDL_Point wanted_position() const;
    void fit_scale(FrameBorders borders, PixelRect work_area);
    int pixels(double twips) const { return Painter::to_pixels(twips, m_scale); }
    void paint_on_surface();
    void present(std::vector<PixelRect> const& areas);
    void copy_across(std::vector<SDL_Rect> const& rects, SDL_Surface* target);
    void convert(std::vector<SDL_Rect> const& rects, SDL_Surface* target);

    Window& m_window;
    WindowScale m_chosen;
    double m_scale = 1;
    SDL_Window* m_sdl = nullptr;
    std::uint32_t m_id = 0;
    unsigned long m_x_window = 0;
    bool m_lost = false;
    Canvas m_canvas;
    Damage m_damage;
    bool m_placing = false;
    bool m_shown_before = false;
};

} // namespace tolvane
