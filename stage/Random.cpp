#include "stage/Random.h"

namespace tolvane {

// The engine yields 31-bit values; their top 24 bits make a float that is exact and below 1.
float RandomSource::next()
{
    if (!m_queued.empty()) {
        float const value = m_queued.front();
        m_queued.pop_front();
        return value;
    }
    auto const bits = static_cast<std::uint32_t>(m_engine()) >> 7;
    return static_cast<float>(bits) / 16777216.0f;
}

} // namespace tolvane
