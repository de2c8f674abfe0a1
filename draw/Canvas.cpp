#include "draw/Canvas.h"

#include "draw/Coverage.h"
#include "stage/Check.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace tolvane {

Canvas::Canvas(int width, int height) { resize(width, height); }

Canvas Canvas::over(std::uint32_t* pixels, int width, int height, int pitch)
{
    TOLVANE_CHECK(pixels && width >= 0 && height >= 0 && pitch >= width * 4 && pitch % 4 == 0,
        "Canvas::over needs pixels and a size of at least 0, and a pitch of whole pixels that covers a row");
    Canvas canvas;
    canvas.m_width = width;
    canvas.m_height = height;
    canvas.m_stride = pitch / 4;
    canvas.m_pixels = pixels;
    canvas.m_clip = canvas.bounds();
    return canvas;
}

Canvas::Canvas(Canvas const& other) { copy_pixels(other); }

Canvas& Canvas::operator=(Canvas const& other)
{
    if (this != &other)
        copy_pixels(other);
    return *this;
}

// A vector's storage moves with it, so own pixels stay where they were; borrowed ones as well.
Canvas::Canvas(Canvas&& other) noexcept
    : m_width(std::exchange(other.m_width, 0))
    , m_height(std::exchange(other.m_height, 0))
    , m_stride(std::exchange(other.m_stride, 0))
    , m_own(std::move(other.m_own))
    , m_pixels(std::exchange(other.m_pixels, nullptr))
    , m_clip(std::exchange(other.m_clip, {}))
{ }

Canvas& Canvas::operator=(Canvas&& other) noexcept
{
    if (this == &other)
        return *this;
    m_width = std::exchange(other.m_width, 0);
    m_height = std::exchange(other.m_height, 0);
    m_stride = std::exchange(other.m_stride, 0);
    m_own = std::move(other.m_own);
    m_pixels = std::exchange(other.m_pixels, nullptr);
    m_clip = std::exchange(other.m_clip, {});
    return *this;
}

void Canvas::copy_pixels(Canvas const& other)
{
    resize(other.m_width, other.m_height);
    for (int y = 0; y < m_height; ++y)
        std::copy_n(other.m_pixels + other.index(0, y), m_width, m_pixels + index(0, y));
    m_clip = other.m_clip;
}

void Canvas::resize(int width, int height)
{
    TOLVANE_CHECK(
        width >= 0 && height >= 0, "a canvas cannot have a negative size: clamp the size at 0 before resizing");
    m_width = width;
    m_height = height;
    m_stride = width;
    m_own.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0xFF000000u);
    m_pixels = m_own.data();
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
    TOLVANE_CHECK(coverage.width() == area.w && coverage.height() == area.h,
        "a coverage is laid only over the area it was made for: pass that area, of the same size");
    PixelRect const visible = area.intersect(m_clip);
    std::uint32_t const value = pixel_of(colour);
    for (int y = visible.y; y < visible.bottom(); ++y) {
        auto const [first, end] = coverage.covered(y - area.y);
        int const from = std::max(visible.x, area.x + first) - area.x;
        int const to = std::min(visible.right(), area.x + end) - area.x;
        tint_row(coverage, y - area.y, from, to, m_pixels + index(area.x, y), value);
    }
}

// Coverage is never negative, so adding a half in double precision rounds it exactly as lround
// would, and faster. A block of cells no line crossed has one strength for all its pixels: inside
// a large letter the block is filled, outside it is left alone.
void Canvas::tint_row(Coverage const& coverage, int y, int from, int to, std::uint32_t* row, std::uint32_t value)
{
    float const* strengths = coverage.row(y);
    auto const alpha_of = [](float strength) {
        float const scaled = strength * 255.0f;
        return scaled < 0.5f ? 0u : static_cast<unsigned>(static_cast<double>(scaled) + 0.5);
    };
    auto const lay = [&](std::uint32_t& pixel, unsigned alpha) {
        if (alpha >= 255)
            pixel = value;
        else if (alpha > 0)
            blend(pixel, value, alpha);
    };
    for (int x = from; x < to;) {
        int const block_end = std::min((x / Coverage::block + 1) * Coverage::block, to);
        if (coverage.crossed(x, y)) {
            for (; x < block_end; ++x)
                lay(row[x], alpha_of(strengths[x]));
            continue;
        }
        unsigned const alpha = alpha_of(strengths[x]);
        if (alpha >= 255)
            std::fill(row + x, row + block_end, value);
        else
            for (int i = x; i < block_end; ++i)
                lay(row[i], alpha);
        x = block_end;
    }
}

// Each target pixel takes the source pixel under its centre, so a picture looks the same
// whichever part of it a repaint covers. The source column of each target column is worked out
// once per draw; a repaint draws a picture for every sprite it touches, on every tick.
void Canvas::draw(Canvas const& picture, PixelRect area)
{
    PixelRect const visible = prepare(picture, area);
    // Held in locals: pixels and column numbers may alias, and the loop would read the scratch
    // vector's size and place again after every pixel it writes.
    int const* const columns = m_columns.data();
    for (int y = visible.y; y < visible.bottom(); ++y) {
        std::uint32_t const* source = source_row(picture, area, y);
        std::uint32_t* target = &m_pixels[index(visible.x, y)];
        for (int i = 0; i < visible.w; ++i)
            lay(target[i], source[columns[i]]);
    }
}

// Without transparent pixels there is nothing to mix: rows are copied, and a picture at its own
// width, like a window's backdrop, is copied a row at a time.
void Canvas::cover(Canvas const& picture, PixelRect area)
{
    PixelRect const visible = prepare(picture, area);
    bool const own_width = area.w == picture.width();
    int const* const columns = m_columns.data();
    for (int y = visible.y; y < visible.bottom(); ++y) {
        std::uint32_t const* source = source_row(picture, area, y);
        std::uint32_t* target = &m_pixels[index(visible.x, y)];
        if (own_width)
            std::copy_n(source + (visible.x - area.x), visible.w, target);
        else
            for (int i = 0; i < visible.w; ++i)
                target[i] = source[columns[i]];
    }
}

// A pixel of such a picture shows or lets through what is beneath: choosing without mixing
// and without a branch, a row of pixels goes at the pace of a copy.
void Canvas::cut_out(Canvas const& picture, PixelRect area)
{
    PixelRect const visible = prepare(picture, area);
    int const* const columns = m_columns.data();
    bool const own_width = area.w == picture.width();
    auto const choose = [](std::uint32_t beneath, std::uint32_t pixel) {
        std::uint32_t const shows = 0u - (pixel >> 31);
        return (pixel & shows) | (beneath & ~shows);
    };
    for (int y = visible.y; y < visible.bottom(); ++y) {
        std::uint32_t const* source = source_row(picture, area, y);
        std::uint32_t* target = &m_pixels[index(visible.x, y)];
        if (own_width)
            std::transform(target, target + visible.w, source + (visible.x - area.x), target, choose);
        else
            for (int i = 0; i < visible.w; ++i)
                target[i] = choose(target[i], source[columns[i]]);
    }
}

Canvas Canvas::scaled(int width, int height) const
{
    Canvas copy(width, height);
    PixelRect const area = copy.bounds();
    copy.map_columns(m_width, area, area);
    for (int y = 0; y < height; ++y) {
        std::uint32_t const* source = source_row(*this, area, y);
        std::uint32_t* target = &copy.m_pixels[copy.index(0, y)];
        for (std::size_t i = 0; i < copy.m_columns.size(); ++i)
            target[i] = source[copy.m_columns[i]];
    }
    return copy;
}

namespace {

// Where a target pixel's centre falls between two source pixel centres: the first of them and
// the weight of the second.
struct Between {
    int first = 0;
    int second = 0;
    double weight = 0;
};

Between between(int target, int target_size, int source_size)
{
    double const at = std::clamp((target + 0.5) * source_size / target_size - 0.5, 0.0, source_size - 1.0);
    int const first = static_cast<int>(at);
    return { first, std::min(first + 1, source_size - 1), at - first };
}

} // namespace

Canvas Canvas::smoothed(int width, int height) const
{
    Canvas copy(width, height);
    if (m_width == 0 || m_height == 0)
        return copy;
    for (int y = 0; y < height; ++y) {
        Between const row = between(y, height, m_height);
        for (int x = 0; x < width; ++x) {
            Between const column = between(x, width, m_width);
            std::array<double, 4> sum {}; // alpha-weighted red, green, blue, then alpha
            auto const add = [&](int sx, int sy, double weight) {
                std::uint32_t const p = pixel(sx, sy);
                double const alpha = (p >> 24) * weight;
                sum[0] += ((p >> 16) & 0xFF) * alpha;
                sum[1] += ((p >> 8) & 0xFF) * alpha;
                sum[2] += (p & 0xFF) * alpha;
                sum[3] += alpha;
            };
            add(column.first, row.first, (1 - column.weight) * (1 - row.weight));
            add(column.second, row.first, column.weight * (1 - row.weight));
            add(column.first, row.second, (1 - column.weight) * row.weight);
            add(column.second, row.second, column.weight * row.weight);
            auto const channel = [&](double value) { return static_cast<std::uint32_t>(std::lround(value)) & 0xFF; };
            std::uint32_t const alpha = channel(sum[3]);
            std::uint32_t colour = 0;
            if (sum[3] > 0)
                colour = channel(sum[0] / sum[3]) << 16 | channel(sum[1] / sum[3]) << 8 | channel(sum[2] / sum[3]);
            copy.m_pixels[copy.index(x, y)] = alpha << 24 | colour;
        }
    }
    return copy;
}

PixelRect Canvas::prepare(Canvas const& picture, PixelRect area)
{
    if (area.empty() || picture.width() == 0 || picture.height() == 0)
        return {};
    PixelRect const visible = area.intersect(m_clip);
    map_columns(picture.width(), area, visible);
    return visible;
}

std::uint32_t const* Canvas::source_row(Canvas const& picture, PixelRect area, int y)
{
    double const step_y = static_cast<double>(picture.height()) / area.h;
    int const sy = std::min(picture.height() - 1, static_cast<int>((y - area.y + 0.5) * step_y));
    return &picture.m_pixels[picture.index(0, sy)];
}

void Canvas::map_columns(int picture_width, PixelRect area, PixelRect visible)
{
    double const step_x = static_cast<double>(picture_width) / area.w;
    m_columns.resize(static_cast<std::size_t>(std::max(visible.w, 0)));
    for (int x = visible.x; x < visible.right(); ++x)
        m_columns[static_cast<std::size_t>(x - visible.x)]
            = std::min(picture_width - 1, static_cast<int>((x - area.x + 0.5) * step_x));
}

} // namespace tolvane
