#include "web/PageWindow.h"

#include "web/PageScript.h"

#include <algorithm>
#include <string>

namespace tolvane {

namespace {

int pixels(double twips) { return Painter::to_pixels(twips); }

} // namespace

// A window that places itself has its client area at its design frame's distance from the
// page's corner; the page centres the others.
PageWindow::PageWindow(Window& window, int id)
    : m_window(window)
    , m_id(id)
    , m_canvas(std::max(1, pixels(window.client_width())), std::max(1, pixels(window.client_height())))
{
    WindowDesign const& design = window.design();
    std::string const name(window.name());
    std::string const caption(window.Caption());
    page_open_window(m_id, name.c_str(), caption.c_str(), m_canvas.width(), m_canvas.height(),
        !design.placed_by_desktop, pixels(design.frame_left), pixels(design.frame_top));
}

PageWindow::~PageWindow() { page_close_window(m_id); }

void PageWindow::show() { page_show_window(m_id); }

void PageWindow::hide() { page_hide_window(m_id); }

void PageWindow::raise() { page_raise_window(m_id); }

void PageWindow::follow_size()
{
    int const width = std::max(1, pixels(m_window.client_width()));
    int const height = std::max(1, pixels(m_window.client_height()));
    if (width == m_canvas.width() && height == m_canvas.height())
        return;
    m_canvas = Canvas(width, height);
    m_damage.forget();
    page_resize_window(m_id, width, height);
}

void PageWindow::repaint(Painter const& painter, ButtonLook look)
{
    std::vector<PixelRect> const areas = m_damage.collect(m_window, painter, look);
    if (areas.empty())
        return;
    painter.paint(m_window, m_canvas, areas, look);
    for (PixelRect const& area : areas)
        put(area.intersect(m_canvas.bounds()));
}

// The page's canvas takes red, green, blue and alpha bytes; the window is opaque, as on the
// desktop, whatever alpha the painter left.
void PageWindow::put(PixelRect area)
{
    if (area.empty())
        return;
    m_rgba.resize(static_cast<std::size_t>(area.w) * static_cast<std::size_t>(area.h) * 4);
    std::uint8_t* out = m_rgba.data();
    for (int y = area.y; y < area.bottom(); ++y) {
        std::uint32_t const* row = m_canvas.data() + static_cast<std::ptrdiff_t>(y) * (m_canvas.pitch() / 4);
        for (int x = area.x; x < area.right(); ++x) {
            std::uint32_t const pixel = row[x];
            *out++ = static_cast<std::uint8_t>(pixel >> 16);
            *out++ = static_cast<std::uint8_t>(pixel >> 8);
            *out++ = static_cast<std::uint8_t>(pixel);
            *out++ = 0xFF;
        }
    }
    page_put_pixels(m_id, area.x, area.y, area.w, area.h, m_rgba.data());
}

} // namespace tolvane
