#pragma once

#include "draw/Canvas.h"
#include "draw/Damage.h"
#include "draw/Painter.h"
#include "stage/Window.h"

#include <cstdint>
#include <vector>

namespace tolvane {

// The window on the page for one loaded window of the program: made hidden when the window
// loads, taken off the page when it unloads. It keeps a picture of the client area, repaints only
// what changed in it and puts only that on the page's canvas.
class PageWindow {
public:
    PageWindow(Window& window, int id);
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
    void repaint(Painter const& painter, ButtonLook look);

    // Whether client pixel (x, y) lies inside the client area.
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_canvas.width() && y < m_canvas.height(); }

private:
    void put(PixelRect area);

    Window& m_window;
    int m_id = 0;
    Canvas m_canvas;
    Damage m_damage;
    std::vector<std::uint8_t> m_rgba; // one area's pixels in the order the page's canvas takes them
};

} // namespace tolvane
