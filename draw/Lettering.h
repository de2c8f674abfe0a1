#pragma once

#include "draw/Canvas.h"
#include "draw/PixelRect.h"
#include "draw/Typeface.h"

#include <string>
#include <string_view>
#include <vector>

namespace tolvane {

// A caption set in one face at one size: laid out from the top-left corner of a box and broken
// at spaces as a label breaks it, or centred as a button's, and painted into a canvas clipped
// to the box. The size may be anything a label's FontSize can hold.
class Lettering {
public:
    Lettering(Typeface const& face, double points, std::string_view text);

    // Start and end glyph of each line when the text is broken to fit a width in pixels. A word
    // wider than the width stands on a line of its own and is cut off by the box.
    struct Line {
        std::size_t begin = 0;
        std::size_t end = 0;
    };
    std::vector<Line> lines(double width) const;

    double width() const { return span(0, m_glyphs.size()); }
    double line_height() const { return m_face.line_height() * m_scale; }

    void paint_wrapped(Canvas& canvas, PixelRect box, Colour colour) const;
    void paint_centred(Canvas& canvas, PixelRect box, Colour colour) const;

private:
    double span(std::size_t begin, std::size_t end) const { return (m_pen[end] - m_pen[begin]) * m_scale; }
    bool is_space(std::size_t index) const { return m_characters[index] == U' '; }
    PixelRect setting_area(Canvas const& canvas, PixelRect box) const;
    void add_line(Coverage& coverage, PixelRect area, Line line, double left, double top) const;

    Typeface const& m_face;
    double m_scale; // pixels per font unit
    std::u32string m_characters;
    std::vector<unsigned> m_glyphs;
    std::vector<double> m_pen; // where each glyph starts, in font units; one more for the end
};

} // namespace tolvane
