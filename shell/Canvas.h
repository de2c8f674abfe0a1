#pragma once

#include "shell/PixelRect.h"
#include "stage/Colour.h"

#include <cstdint>
#include <span>
#include <vector>

namespace tolvane {

class Coverage;

// Packs a colour of the program (0x00BBGGRR) into an opaque pixel of the canvas (0xAARRGGBB).
constexpr std::uint32_t pixel_of(Colour colour)
{
    return 0xFF000000u | std::uint32_t { colours::red(colour) } << 16 | std::uint32_t { colours::green(colour) } << 8
        | colours::blue(colour);
}

// A picture in memory, 32 bits a pixel in 0xAARRGGBB order with straight alpha: a window's
// client area as the painter draws it, or a picture loaded from the assets. Every drawing
// operation stays inside the clip rectangle, which is the whole canvas unless narrowed.
class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    PixelRect bounds() const { return { 0, 0, m_width, m_height }; }
    std::uint32_t pixel(int x, int y) const { return m_pixels[index(x, y)]; }
    std::uint32_t* data() { return m_pixels.data(); }
    std::uint32_t const* data() const { return m_pixels.data(); }
    int pitch() const { return m_width * 4; }

    void resize(int width, int height);
    PixelRect clip() const { return m_clip; }
    void set_clip(PixelRect area) { m_clip = area.intersect(bounds()); }

    void put(int x, int y, std::uint32_t pixel);
    void fill(PixelRect area, Colour colour);
    void frame(PixelRect area, int thickness, Colour colour);
    // Lays `colour` over the area in the strength the coverage gives each pixel.
    void tint(PixelRect area, Coverage const& coverage, Colour colour);
    // Scales the picture to the area by nearest pixel and lays it over the canvas through its alpha.
    void draw(Canvas const& picture, PixelRect area);

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) + static_cast<std::size_t>(x);
    }
    void blend(std::uint32_t& target, std::uint32_t source, unsigned alpha);

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
    PixelRect m_clip;
};

} // namespace tolvane
