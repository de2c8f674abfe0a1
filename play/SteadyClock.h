#pragma once

#include "stage/Clock.h"

#include <chrono>

namespace tolvane {

// The desktop's monotonic clock, in microseconds since the program started.
class SteadyClock final : public Clock {
public:
    std::int64_t now_us() const override
    {
        return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - m_start)
            .count();
    }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

} // namespace tolvane
