#pragma once

#include "draw/PixelRect.h"
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
// operation stays inside the clip rectangle, which is the whole canvas unless narrowed. A canvas
// keeps its own pixels, or paints on pixels kept elsewhere (`over`), such as a window's surface.
class Canvas {
public:
    Canvas() = default;
    Canvas(int width, int height);
    // A canvas on `pixels` with `pitch` bytes from one row to the next. The pixels belong to the
    // caller and must outlive the canvas; copying it copies them into a canvas of its own.
    static Canvas over(std::uint32_t* pixels, int width, int height, int pitch);
    Canvas(Canvas const& other);
    Canvas& operator=(Canvas const& other);
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    ~Canvas() = default;

    int width() const { return m_width; }
    int height() const { return m_height; }
    PixelRect bounds() const { return { 0, 0, m_width, m_height }; }
    std::uint32_t pixel(int x, int y) const { return m_pixels[index(x, y)]; }
    std::uint32_t* data() { return m_pixels; }
    std::uint32_t const* data() const { return m_pixels; }
    int pitch() const { return m_stride * 4; }
    // Whether the pixels are kept elsewhere.
    bool borrowed() const { return m_pixels && m_pixels != m_own.data(); }

    // Gives the canvas pixels of its own, opaque black, at the new size.
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
    // The same for a picture that is opaque throughout: it replaces what lies beneath.
    void cover(Canvas const& picture, PixelRect area);
    // The same for a picture whose every pixel is opaque or clear.
    void cut_out(Canvas const& picture, PixelRect area);
    // A copy scaled by nearest pixel as `draw` scales, alpha and all: drawing the copy at its own
    // size gives the very pixels that drawing this picture stretched to that size gives.
    Canvas scaled(int width, int height) const;
    // A copy scaled smoothly: each pixel mixes the four nearest to its centre in the picture,
    // weighted by alpha, so that a painted picture neither shows blocks when enlarged nor
    // sparkles when reduced by half.
    Canvas smoothed(int width, int height) const;

private:
    std::size_t index(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stride) + static_cast<std::size_t>(x);
    }
    void blend(std::uint32_t& target, std::uint32_t source, unsigned alpha);
    void tint_row(Coverage const& coverage, int y, int from, int to, std::uint32_t* row, std::uint32_t value);
    // A picture's pixel through its own alpha. Nearly every pixel of a sprite's picture is
    // opaque or clear, and choosing between those two without a branch keeps a row of them fast.
    void lay(std::uint32_t& target, std::uint32_t source)
    {
        unsigned const alpha = source >> 24;
        if (alpha - 1u < 254u) [[unlikely]]
            blend(target, source & 0x00FFFFFFu, alpha);
        else
            target = alpha != 0 ? source : target;
    }
    PixelRect prepare(Canvas const& picture, PixelRect area);
    void map_columns(int picture_width, PixelRect area, PixelRect visible);
    static std::uint32_t const* source_row(Canvas const& picture, PixelRect area, int y);

    void copy_pixels(Canvas const& other);

    int m_width = 0;
    int m_height = 0;
    int m_stride = 0; // pixels from one row to the next
    std::vector<std::uint32_t> m_own;
    std::uint32_t* m_pixels = nullptr; // the own pixels, or those borrowed
    PixelRect m_clip;
    std::vector<int> m_columns; // scratch for `draw`: the picture's column for each visible column
};

} // namespace tolvane
