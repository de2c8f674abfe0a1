#include "draw/Lettering.h"

#include <cmath>

namespace tolvane {

namespace {

constexpr double pixels_per_point = 96.0 / 72.0;

// Captions are UTF-8; a byte that does not decode stands for itself, as in Latin-1.
std::u32string decode(std::string_view text)
{
    std::u32string decoded;
    for (std::size_t i = 0; i < text.size();) {
        auto const lead = static_cast<unsigned char>(text[i]);
        int const length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6       ? 2
            : (lead >> 4) == 0xE       ? 3
            : (lead >> 3) == 0x1E      ? 4
                                       : 0;
        char32_t code = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            auto const next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        decoded += valid ? code : char32_t { lead };
        i += valid ? static_cast<std::size_t>(length) : 1;
    }
    return decoded;
}

} // namespace

Lettering::Lettering(Typeface const& face, double points, std::string_view text)
    : m_face(face)
    , m_scale(std::isfinite(points) && points > 0 ? points * pixels_per_point / face.units_per_em() : 0)
    , m_characters(decode(text))
{
    double pen = 0;
    for (char32_t const character : m_characters) {
        unsigned const glyph = face.glyph(character);
        if (!m_glyphs.empty())
            pen += face.kerning(m_glyphs.back(), glyph);
        m_pen.push_back(pen);
        m_glyphs.push_back(glyph);
        pen += face.metrics(glyph).advance;
    }
    m_pen.push_back(pen);
}

// Each line takes words while they fit; the spaces where a line breaks belong to no line.
std::vector<Lettering::Line> Lettering::lines(double width) const
{
    std::vector<Line> result;
    std::size_t const count = m_glyphs.size();
    std::size_t begin = 0;
    while (begin < count) {
        std::size_t end = begin;
        for (std::size_t next = begin; next < count;) {
            while (next < count && is_space(next))
                ++next;
            while (next < count && !is_space(next))
                ++next;
            if (end > begin && span(begin, next) > width)
                break;
            end = next;
            if (span(begin, end) > width)
                break;
        }
        result.push_back({ begin, end });
        begin = end;
        while (begin < count && is_space(begin))
            ++begin;
    }
    return result;
}

void Lettering::add_line(Coverage& coverage, PixelRect area, Line line, double left, double top) const
{
    double const baseline = top + m_face.ascender() * m_scale;
    for (std::size_t i = line.begin; i < line.end; ++i) {
        double const x = left + span(line.begin, i);
        GlyphMetrics const& ink = m_face.metrics(m_glyphs[i]);
        bool const misses = x + ink.right * m_scale <= area.x || x + ink.left * m_scale >= area.right()
            || baseline - ink.top * m_scale >= area.bottom() || baseline - ink.bottom * m_scale <= area.y;
        if (!misses)
            m_face.outline(m_glyphs[i], { x - area.x, baseline - area.y, m_scale }, coverage);
    }
}

// The letters are set over all of the box that lies on the canvas, whatever part of it is being
// repainted: set over a smaller part, the same letters come out a shade different here and
// there, and a repaint would leave them so.
PixelRect Lettering::setting_area(Canvas const& canvas, PixelRect box) const
{
    if (m_scale == 0 || box.intersect(canvas.clip()).empty())
        return {};
    return box.intersect(canvas.bounds());
}

void Lettering::paint_wrapped(Canvas& canvas, PixelRect box, Colour colour) const
{
    PixelRect const area = setting_area(canvas, box);
    if (area.empty())
        return;
    Coverage coverage(area.w, area.h);
    double top = box.y;
    for (Line const line : lines(box.w)) {
        if (top >= area.bottom())
            break;
        if (top + line_height() > area.y)
            add_line(coverage, area, line, box.x, top);
        top += line_height();
    }
    coverage.finish();
    canvas.tint(area, coverage, colour);
}

void Lettering::paint_centred(Canvas& canvas, PixelRect box, Colour colour) const
{
    PixelRect const area = setting_area(canvas, box);
    if (area.empty())
        return;
    Coverage coverage(area.w, area.h);
    double const left = std::round(box.x + (box.w - width()) / 2);
    double const top = std::round(box.y + (box.h - line_height()) / 2);
    add_line(coverage, area, { 0, m_glyphs.size() }, left, top);
    coverage.finish();
    canvas.tint(area, coverage, colour);
}

} // namespace tolvane
