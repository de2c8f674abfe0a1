#include "desktop/Placement.h"

#include <algorithm>

namespace tolvane {

namespace {

// One side of the placement: where a span of `length` starting at `start` goes in the area's span.
int fit_span(int start, int length, int area_start, int area_length)
{
    return std::max(area_start, std::min(start, area_start + area_length - length));
}

} // namespace

PixelRect fit_frame(PixelRect frame, PixelRect work_area)
{
    if (work_area.empty())
        return frame;
    return { fit_span(frame.x, frame.w, work_area.x, work_area.w), fit_span(frame.y, frame.h, work_area.y, work_area.h),
        frame.w, frame.h };
}

} // namespace tolvane
