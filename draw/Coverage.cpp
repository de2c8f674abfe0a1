#include "draw/Coverage.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace tolvane {

namespace {

// Lines may stray this far from a curve, in pixels; less than the eye tells apart.
constexpr double flatness = 0.1;

// Halving a curve quarters its bend, so even a curve a billion pixels long is flat well before this.
constexpr int deepest_split = 48;

Point middle(Point a, Point b) { return { (a.x + b.x) / 2, (a.y + b.y) / 2 }; }

double bend(Point a, Point b, Point c) { return std::hypot(a.x - 2 * b.x + c.x, a.y - 2 * b.y + c.y); }

// Whether bend(a, b, c) is at most `limit`, deciding without the square root where the sides
// alone tell: the length lies between the longer side and the sum of both.
bool bend_within(Point a, Point b, Point c, double limit)
{
    double const x = std::abs(a.x - 2 * b.x + c.x);
    double const y = std::abs(a.y - 2 * b.y + c.y);
    if (x + y <= limit)
        return true;
    if (std::max(x, y) > limit)
        return false;
    return bend(a, b, c) <= limit;
}

// The point of the line from a to b at height y.
Point at_height(Point a, Point b, double y) { return { a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y }; }

Point at_width(Point a, Point b, double x) { return { x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x) }; }

} // namespace

Coverage::Coverage(int width, int height)
    : m_width(std::max(width, 0))
    , m_height(std::max(height, 0))
    , m_stride(m_width + 2)
    , m_cells(static_cast<std::size_t>(m_stride) * static_cast<std::size_t>(m_height), 0.0f)
    , m_first(static_cast<std::size_t>(m_height), m_width)
    , m_end(static_cast<std::size_t>(m_height), 0)
    , m_blocks((m_stride + block - 1) / block)
    , m_crossed(static_cast<std::size_t>(m_blocks) * static_cast<std::size_t>(m_height), 0)
{ }

bool Coverage::misses_box(std::initializer_list<Point> points) const
{
    Point low = *points.begin();
    Point high = low;
    for (Point const point : points) {
        low = { std::min(low.x, point.x), std::min(low.y, point.y) };
        high = { std::max(high.x, point.x), std::max(high.y, point.y) };
    }
    return high.x <= 0 || low.x >= m_width || high.y <= 0 || low.y >= m_height;
}

void Coverage::line(Point from, Point to)
{
    if (std::isfinite(from.x) && std::isfinite(from.y) && std::isfinite(to.x) && std::isfinite(to.y))
        clipped_line(from, to);
}

void Coverage::quadratic(Point from, Point control, Point to) { quadratic(from, control, to, 0); }

void Coverage::cubic(Point from, Point first, Point second, Point to) { cubic(from, first, second, to, 0); }

// A curve outside the box counts only through its ends: its chord crosses the same rows in the
// same direction, so it stands in for the curve.
void Coverage::quadratic(Point from, Point control, Point to, int depth)
{
    if (depth >= deepest_split || misses_box({ from, control, to }) || bend_within(from, control, to, 4 * flatness)) {
        line(from, to);
        return;
    }
    Point const a = middle(from, control);
    Point const b = middle(control, to);
    Point const split = middle(a, b);
    quadratic(from, a, split, depth + 1);
    quadratic(split, b, to, depth + 1);
}

void Coverage::cubic(Point from, Point first, Point second, Point to, int depth)
{
    double const bent = std::max(bend(from, first, second), bend(first, second, to)) * 0.75;
    if (depth >= deepest_split || misses_box({ from, first, second, to }) || bent <= flatness) {
        line(from, to);
        return;
    }
    Point const a = middle(from, first);
    Point const b = middle(first, second);
    Point const c = middle(second, to);
    Point const ab = middle(a, b);
    Point const bc = middle(b, c);
    Point const split = middle(ab, bc);
    cubic(from, a, ab, split, depth + 1);
    cubic(split, bc, c, to, depth + 1);
}

// Only rows inside the box matter, and only what lies left of a pixel changes its winding: a
// line right of the box is dropped, a line left of it is pressed flat against its left edge.
void Coverage::clipped_line(Point from, Point to)
{
    if (from.y == to.y || (from.y <= 0 && to.y <= 0) || (from.y >= m_height && to.y >= m_height))
        return;
    if (from.y < 0 || to.y < 0) {
        Point const cut = at_height(from, to, 0);
        (from.y < 0 ? from : to) = cut;
    }
    if (from.y > m_height || to.y > m_height) {
        Point const cut = at_height(from, to, m_height);
        (from.y > m_height ? from : to) = cut;
    }
    double const right = m_width;
    if (from.x >= right && to.x >= right)
        return;
    if ((from.x > right) != (to.x > right)) {
        Point const cut = at_width(from, to, right);
        (from.x > right ? from : to) = cut;
    }
    if ((from.x < 0) != (to.x < 0)) {
        Point const cut = at_width(from, to, 0);
        accumulate(from.x < 0 ? Point { 0, from.y } : from, cut);
        accumulate(cut, to.x < 0 ? Point { 0, to.y } : to);
        return;
    }
    accumulate({ std::max(from.x, 0.0), from.y }, { std::max(to.x, 0.0), to.y });
}

// Adds the line's signed area to the cells it crosses, row by row; each cell's share is the
// area of the pixel right of the line, so a running sum along a row gives the winding coverage.
void Coverage::accumulate(Point from, Point to)
{
    if (from.y == to.y)
        return;
    float const direction = from.y < to.y ? 1.0f : -1.0f;
    if (from.y > to.y)
        std::swap(from, to);
    double const dxdy = (to.x - from.x) / (to.y - from.y);
    double x = from.x;
    int const first_row = std::max(0, static_cast<int>(from.y));
    int const end_row = std::min(m_height, static_cast<int>(std::ceil(to.y)));
    for (int row = first_row; row < end_row; ++row) {
        double const dy = std::min<double>(row + 1, to.y) - std::max<double>(row, from.y);
        double const x_next = x + dxdy * dy;
        float const d = static_cast<float>(dy) * direction;
        double const x0 = std::clamp(std::min(x, x_next), 0.0, static_cast<double>(m_width));
        double const x1 = std::clamp(std::max(x, x_next), 0.0, static_cast<double>(m_width));
        double const x0_floor = std::floor(x0);
        int const x0_cell = static_cast<int>(x0_floor);
        int const x1_cell = static_cast<int>(std::ceil(x1));
        auto const r = static_cast<std::size_t>(row);
        m_first[r] = std::min(m_first[r], x0_cell);
        m_end[r] = std::max(m_end[r], x1_cell + 1);
        std::fill(&m_crossed[crossing(x0_cell, row)], &m_crossed[crossing(std::max(x1_cell, x0_cell + 1), row)] + 1, 1);
        if (x1_cell <= x0_cell + 1) {
            auto const share = static_cast<float>((x0 + x1) / 2 - x0_floor);
            m_cells[cell(x0_cell, row)] += d - d * share;
            m_cells[cell(x0_cell + 1, row)] += d * share;
        } else {
            double const s = 1 / (x1 - x0);
            double const x0_part = x0 - x0_floor;
            double const a0 = 0.5 * s * (1 - x0_part) * (1 - x0_part);
            double const x1_part = x1 - x1_cell + 1;
            double const am = 0.5 * s * x1_part * x1_part;
            m_cells[cell(x0_cell, row)] += d * static_cast<float>(a0);
            if (x1_cell == x0_cell + 2) {
                m_cells[cell(x0_cell + 1, row)] += d * static_cast<float>(1 - a0 - am);
            } else {
                double const a1 = s * (1.5 - x0_part);
                m_cells[cell(x0_cell + 1, row)] += d * static_cast<float>(a1 - a0);
                for (int c = x0_cell + 2; c < x1_cell - 1; ++c)
                    m_cells[cell(c, row)] += d * static_cast<float>(s);
                double const a2 = a1 + (x1_cell - x0_cell - 3) * s;
                m_cells[cell(x1_cell - 1, row)] += d * static_cast<float>(1 - a2 - am);
            }
            m_cells[cell(x1_cell, row)] += d * static_cast<float>(am);
        }
        x = x_next;
    }
}

void Coverage::finish()
{
    for (int y = 0; y < m_height; ++y)
        finish_row(y);
}

// Cells left of the first one a line reached stay empty, so the row's sum starts there; in a
// block no line crossed, and past the last cell a line reached, the sum stays as it is, and
// the cells take it as they are.
void Coverage::finish_row(int y)
{
    auto const r = static_cast<std::size_t>(y);
    float* const row = &m_cells[cell(0, y)];
    int const reached = std::min(m_end[r], m_width);
    float sum = 0;
    for (int x = m_first[r]; x < reached;) {
        int const block_end = std::min((x / block + 1) * block, reached);
        if (!crossed(x, y)) {
            std::fill(row + x, row + block_end, std::min(1.0f, std::abs(sum)));
            x = block_end;
            continue;
        }
        for (; x < block_end; ++x) {
            sum += row[x];
            row[x] = std::min(1.0f, std::abs(sum));
        }
    }
    if (reached < m_width)
        std::fill(row + std::max(reached, m_first[r]), row + m_width, std::min(1.0f, std::abs(sum)));
    int first = m_first[r];
    while (first < m_width && row[first] == 0)
        ++first;
    int end = m_width;
    while (end > first && row[end - 1] == 0)
        --end;
    m_first[r] = first;
    m_end[r] = end;
}

} // namespace tolvane
