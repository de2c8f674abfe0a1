#include "shell/Canvas.h"

#include "shell/Coverage.h"

#include <cassert>
#include <cmath>

namespace tolvane {

Canvas::Canvas(int width, int height) { resize(width, height); }

void Canvas::resize(int width, int height)
{
    assert(width >= 0 && height >= 0 && "a canvas cannot have a negative size");
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
    m_clip = bounds();
}

void Canvas::put(int x, int y, std::uint32_t pixel)
{
    if (m_clip.intersect({ x, y, 1, 1 }).empty())
        return;
    m_pixels[index(x, y)] = pixel;
}

void Canvas::fill(PixelRect area, Colour colour)
{
    PixelRect const visible = area.intersect(m_clip);
    std::uint32_t const value = pixel_of(colour);
    for (int y = visible.y; y < visible.bottom(); ++y)
        std::fill_n(&m_pixels[index(visible.x, y)], visible.w, value);
}

void Canvas::frame(PixelRect area, int thickness, Colour colour)
{
    int const t = std::min({ thickness, area.w, area.h });
    if (t <= 0)
        return;
    fill({ area.x, area.y, area.w, t }, colour);
    fill({ area.x, area.bottom() - t, area.w, t }, colour);
    fill({ area.x, area.y + t, t, area.h - 2 * t }, colour);
    fill({ area.right() - t, area.y + t, t, area.h - 2 * t }, colour);
}

void Canvas::blend(std::uint32_t& target, std::uint32_t source, unsigned alpha)
{
    if (alpha >= 255) {
        target = source | 0xFF000000u;
        return;
    }
    if (alpha == 0)
        return;
    std::uint32_t result = 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        unsigned const s = (source >> shift) & 0xFF;
        unsigned const t = (target >> shift) & 0xFF;
        unsigned const mixed = (s * alpha + t * (255 - alpha) + 127) / 255;
        result |= mixed << shift;
    }
    target = result;
}

void Canvas::tint(PixelRect area, Coverage const& coverage, Colour colour)
{
    assert(coverage.width() == area.w && coverage.height() == area.h && "the coverage is made for its area");
    PixelRect const visible = area.intersect(m_clip);
    std::uint32_t const value = pixel_of(colour);
    for (int y = visible.y; y < visible.bottom(); ++y)
        for (int x = visible.x; x < visible.right(); ++x) {
            float const strength = coverage.at(x - area.x, y - area.y);
            blend(m_pixels[index(x, y)], value, static_cast<unsigned>(std::lround(strength * 255.0f)));
        }
}

// Each target pixel takes the source pixel under its centre, so a picture looks the same
// whichever part of it a repaint covers.
void Canvas::draw(Canvas const& picture, PixelRect area)
{
    if (area.empty() || picture.width() == 0 || picture.height() == 0)
        return;
    PixelRect const visible = area.intersect(m_clip);
    double const step_x = static_cast<double>(picture.width()) / area.w;
    double const step_y = static_cast<double>(picture.height()) / area.h;
    for (int y = visible.y; y < visible.bottom(); ++y) {
        int const sy = std::min(picture.height() - 1, static_cast<int>((y - area.y + 0.5) * step_y));
        for (int x = visible.x; x < visible.right(); ++x) {
            int const sx = std::min(picture.width() - 1, static_cast<int>((x - area.x + 0.5) * step_x));
            std::uint32_t const source = picture.pixel(sx, sy);
            blend(m_pixels[index(x, y)], source & 0x00FFFFFFu, source >> 24);
        }
    }
}

} // namespace tolvane
