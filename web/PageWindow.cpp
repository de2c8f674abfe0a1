#include "web/PageWindow.h"

#include "web/PageScript.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace tolvane {

namespace {

int pixels(double twips, double scale = 1) { return Painter::to_pixels(twips, scale); }

// A client area has at least one pixel each way, however small the program makes it.
int client_pixels(double twips, double scale = 1) { return std::max(1, pixels(twips, scale)); }

std::unique_ptr<std::uint8_t[]> rgba_for(Canvas const& canvas)
{
    return std::unique_ptr<std::uint8_t[]>(
        new std::uint8_t[static_cast<std::size_t>(canvas.width()) * static_cast<std::size_t>(canvas.height()) * 4]);
}

} // namespace

// A window that places itself has its client area at its design frame's distance from the
// page's corner; the page centres the others.
PageWindow::PageWindow(Window& window, int id, double scale)
    : m_window(window)
    , m_id(id)
    , m_scale(scale)
    , m_width(client_pixels(window.client_width()))
    , m_height(client_pixels(window.client_height()))
    , m_canvas(client_pixels(window.client_width(), scale), client_pixels(window.client_height(), scale))
    , m_rgba(rgba_for(m_canvas))
{
    WindowDesign const& design = window.design();
    std::string const name(window.name());
    std::string const caption(window.Caption());
    std::string keys;
    for (std::int16_t const key : design.keys)
        keys += (keys.empty() ? "" : " ") + std::to_string(key);
    page_open_window(m_id, name.c_str(), caption.c_str(), m_width, m_height, m_canvas.width(), m_canvas.height(),
        !design.placed_by_desktop, pixels(design.frame_left), pixels(design.frame_top), keys.c_str());
}

PageWindow::~PageWindow() { page_close_window(m_id); }

void PageWindow::show() { page_show_window(m_id); }

void PageWindow::hide() { page_hide_window(m_id); }

void PageWindow::raise() { page_raise_window(m_id); }

void PageWindow::follow_size() { fit(false); }

void PageWindow::set_scale(double scale)
{
    m_scale = scale;
    fit(true);
}

// Sizes the canvas for the window's client size at the scale; `always` paints it afresh even
// when the size stays.
void PageWindow::fit(bool always)
{
    int const width = client_pixels(m_window.client_width());
    int const height = client_pixels(m_window.client_height());
    int const canvas_width = client_pixels(m_window.client_width(), m_scale);
    int const canvas_height = client_pixels(m_window.client_height(), m_scale);
    if (!always && width == m_width && height == m_height && canvas_width == m_canvas.width()
        && canvas_height == m_canvas.height())
        return;
    m_width = width;
    m_height = height;
    m_canvas = Canvas(canvas_width, canvas_height);
    m_rgba = rgba_for(m_canvas);
    m_damage.forget();
    page_resize_window(m_id, m_width, m_height, m_canvas.width(), m_canvas.height());
}

void PageWindow::repaint(Painter const& painter, ButtonLook look)
{
    std::vector<PixelRect> const areas = m_damage.collect(m_window, painter, look);
    if (areas.empty())
        return;
    painter.paint(m_window, m_canvas, areas, look);
    m_areas.clear();
    for (PixelRect const& painted : areas) {
        PixelRect const area = painted.intersect(m_canvas.bounds());
        if (area.empty())
            continue;
        convert(area);
        m_areas.insert(m_areas.end(), { area.x, area.y, area.w, area.h });
    }
    if (!m_areas.empty())
        page_put_pixels(m_id, m_rgba.get(), m_canvas.width(), m_canvas.height(), m_areas.data(),
            static_cast<int>(m_areas.size() / 4));
}

// The page's canvas takes red, green, blue and alpha bytes, which in the module's little-endian
// memory are the 32-bit value 0xAABBGGRR; the window is opaque, as on the desktop, whatever alpha
// the painter left.
void PageWindow::convert(PixelRect area)
{
    std::size_t const row_bytes = static_cast<std::size_t>(m_canvas.width()) * 4;
    for (int y = area.y; y < area.bottom(); ++y) {
        std::uint32_t const* row = m_canvas.data() + static_cast<std::ptrdiff_t>(y) * (m_canvas.pitch() / 4);
        std::uint8_t* out
            = m_rgba.get() + static_cast<std::size_t>(y) * row_bytes + static_cast<std::size_t>(area.x) * 4;
        for (int x = area.x; x < area.right(); ++x, out += 4) {
            std::uint32_t const pixel = row[x];
            std::uint32_t const rgba
                = 0xFF000000u | (pixel & 0x00FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
            std::memcpy(out, &rgba, 4);
        }
    }
}

} // namespace tolvane
