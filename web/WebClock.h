#pragma once

#include "stage/Clock.h"

#include <emscripten.h>

#include <cmath>

namespace tolvane {

// The browser's monotonic clock (performance.now), in microseconds since the page started.
class WebClock final : public Clock {
public:
    std::int64_t now_us() const override { return std::llround((emscripten_get_now() - m_start_ms) * 1000); }

private:
    double m_start_ms = emscripten_get_now();
};

} // namespace tolvane
