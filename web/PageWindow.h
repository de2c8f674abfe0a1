#pragma once

#include "draw/Canvas.h"
#include "draw/Damage.h"
#include "draw/Painter.h"
#include "stage/Window.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace tolvane {

// The window on the page for one loaded window of the program: made hidden when the window
// loads, taken off the page when it unloads. It keeps a picture of the client area, repaints only
// what changed in it and puts only that on the page's canvas. The canvas takes the page's size of
// the window, one page pixel for each pixel of the design, and holds `scale` times as many
// pixels: as many as the screen shows there, so that a screen of high density gets sharp text
// and pictures.
class PageWindow {
public:
    PageWindow(Window& window, int id, double scale);
    ~PageWindow();
    PageWindow(PageWindow const&) = delete;
    PageWindow& operator=(PageWindow const&) = delete;

    Window& window() const { return m_window; }
    int id() const { return m_id; }

    void show();
    void hide();
    // Brings the window to the front of the page and marks it as the active one.
    void raise();
    // The window's client size changed in the program: the whole area is painted afresh.
    void follow_size();
    // The screen's density changed (the browser was zoomed, or moved to another screen): the
    // whole area is painted afresh at the new scale.
    void set_scale(double scale);
    void repaint(Painter const& painter, ButtonLook look);

    // Whether client pixel (x, y) of the design lies inside the client area.
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

private:
    void fit(bool always);
    void convert(PixelRect area);

    Window& m_window;
    int m_id = 0;
    double m_scale = 1;
    int m_width = 0; // the client area on the page, in pixels of the design
    int m_height = 0;
    Canvas m_canvas;
    Damage m_damage;
    // The canvas's pixels in the order the page's canvas takes them, kept where they were put
    // (left as they come elsewhere: nothing reads them before they are painted).
    std::unique_ptr<std::uint8_t[]> m_rgba;
    std::vector<int> m_areas; // the areas of the last repaint, four numbers each, for the page
};

} // namespace tolvane
