#pragma once

#include <deque>
#include <random>

namespace tolvane {

// `Rnd`: one uniform sequence of 32-bit floats in [0, 1) from a fixed start, never seeded, so
// every run deals the same numbers on every platform. Scripts can queue values to be served first.
class RandomSource {
public:
    float next();
    void queue(std::deque<float> values) { m_queued = std::move(values); }

private:
    std::minstd_rand m_engine; // its sequence is fixed by the C++ standard
    std::deque<float> m_queued;
};

} // namespace tolvane
