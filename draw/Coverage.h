#pragma once

#include <utility>
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
    float const* row(int y) const { return &m_cells[cell(0, y)]; }
    // The columns of a row, once finished, outside which nothing is covered: first and end.
    std::pair<int, int> covered(int y) const
    {
        auto const row = static_cast<std::size_t>(y);
        return { m_first[row], m_end[row] };
    }

    // Rows are kept in blocks of cells. A block that no line crossed covers all its cells
    // alike, inside letters or out of them, as most of the blocks of large letters do.
    static constexpr int block = 16;
    bool crossed(int x, int y) const { return m_crossed[crossing(x, y)] != 0; }

private:
    std::size_t cell(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_stride) + static_cast<std::size_t>(x);
    }
    std::size_t crossing(int x, int y) const
    {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(m_blocks) + static_cast<std::size_t>(x / block);
    }
    void finish_row(int y);
    bool misses_box(std::initializer_list<Point> points) const;
    void clipped_line(Point from, Point to);
    void accumulate(Point from, Point to);
    void quadratic(Point from, Point control, Point to, int depth);
    void cubic(Point from, Point first, Point second, Point to, int depth);

    int m_width;
    int m_height;
    int m_stride; // two cells more than the width: a line at the right edge spills into them
    std::vector<float> m_cells;
    // Per row: the first cell any line reached and one past the last, then after `finish` the
    // first and the end of the covered cells. Most of a label's rows are mostly empty, and all
    // of the label is tinted.
    std::vector<int> m_first;
    std::vector<int> m_end;
    int m_blocks; // per row
    std::vector<unsigned char> m_crossed; // per block of a row: whether a line reached into it
};

} // namespace tolvane
