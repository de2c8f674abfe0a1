#include "desktop/Placement.h"

#include "draw/Painter.h"
#include "play/Scale.h"

#include <algorithm>
#include <cmath>

namespace tolvane {

namespace {

// One side of the placement: where a span of `length` starting at `start` goes in the area's span.
int fit_span(int start, int length, int area_start, int area_length)
{
    return std::max(area_start, std::min(start, area_start + area_length - length));
}

bool fits(int client_width, int client_height, FrameBorders borders, PixelRect work_area, double scale)
{
    return Painter::to_pixels(client_width, scale) + borders.left + borders.right <= work_area.w
        && Painter::to_pixels(client_height, scale) + borders.top + borders.bottom <= work_area.h;
}

} // namespace

double fitting_scale(int client_width, int client_height, FrameBorders borders, PixelRect work_area, double chosen)
{
    constexpr double step = 0.05;
    if (work_area.empty() || fits(client_width, client_height, borders, work_area, chosen))
        return chosen;
    double scale = std::floor(chosen / step) * step;
    while (scale > smallest_scale && !fits(client_width, client_height, borders, work_area, scale))
        scale = std::round((scale - step) / step) * step;
    return std::max(scale, smallest_scale);
}

PixelRect fit_frame(PixelRect frame, PixelRect work_area)
{
    if (work_area.empty())
        return frame;
    return { fit_span(frame.x, frame.w, work_area.x, work_area.w), fit_span(frame.y, frame.h, work_area.y, work_area.h),
        frame.w, frame.h };
}

} // namespace tolvane
