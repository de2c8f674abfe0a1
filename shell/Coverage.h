#pragma once

#include <vector>

namespace tolvane {

struct Point {
    double x = 0;
    double y = 0;
};

// How much of each pixel of a box the filled outlines cover, from 0 to 1, built from straight
// lines and curves in the box's own pixel coordinates. Outlines may be of any size and lie
// anywhere: only the part inside the box costs work, which is what lets a label draw its text
// at a million points. Filling follows the non-zero rule, as glyph outlines need.
class Coverage {
public:
    Coverage(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }

    void line(Point from, Point to);
    void quadratic(Point from, Point control, Point to);
    void cubic(Point from, Point first, Point second, Point to);

    // Turns what the outlines left into coverage; call once after the last outline.
    void finish();
    float at(int x, int y) const { return m_cells[cell(x, y)]; }

private:
    std::size_t cell(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stride) + static_cast<std::size_t>(x);
    }
    bool misses_box(std::initializer_list<Point> points) const;
    void clipped_line(Point from, Point to);
    void accumulate(Point from, Point to);
    void quadratic(Point from, Point control, Point to, int depth);
    void cubic(Point from, Point first, Point second, Point to, int depth);

    int m_width;
    int m_height;
    int m_stride; // two cells more than the width: a line at the right edge spills into them
    std::vector<float> m_cells;
};

} // namespace tolvane
