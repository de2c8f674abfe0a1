#pragma once

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

// The real window on the desktop for one loaded window of the program: created hidden when the
// window loads, destroyed when it unloads. It keeps a picture of the client area and repaints
// only what changed in it.
class DesktopWindow {
public:
    // `scale`: pixels on the screen for each pixel of the design.
    DesktopWindow(Window& window, Canvas const* icon, double scale);
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
    // Keeps a window without a maximize button from staying maximized.
    void refuse_maximize();
    bool minimized() const;
    // While the box set is paused the title says so after the window's caption; the caption the
    // program knows stays as it is.
    void show_paused(bool paused);
    // The client area's size on the desktop, in pixels.
    PixelRect client_size() const;

    void repaint(Painter const& painter, ButtonLook look);
    void present_all();

    // Whether client pixel (x, y) lies inside the client area.
    bool contains(int x, int y) const;
    // The part of the client area that is painted, from its top-left corner: at most the desktop.
    PixelRect drawn() const;

private:
    struct Borders {
        int top = 0;
        int left = 0;
        int bottom = 0;
        int right = 0;
    };
    SDL_Point wanted_position() const;
    int pixels(double twips) const { return Painter::to_pixels(twips, m_scale); }
    void paint_on_surface();
    void present(std::vector<PixelRect> const& areas);
    void copy_across(std::vector<SDL_Rect> const& rects, SDL_Surface* target);
    void convert(std::vector<SDL_Rect> const& rects, SDL_Surface* target);

    Window& m_window;
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
