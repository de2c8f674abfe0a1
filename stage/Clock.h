#pragma once

#include <cstdint>

namespace tolvane {

// Where the stage gets the time from: the desktop's clock in the game, a virtual one in
// scripts and tests. Game code never reads it; only the stage does, to schedule its timers.
class Clock {
public:
    virtual ~Clock() = default;
    virtual std::int64_t now_us() const = 0;
};

class VirtualClock final : public Clock {
public:
    std::int64_t now_us() const override { return m_now; }
    void set(std::int64_t now) { m_now = now; }

private:
    std::int64_t m_now = 0;
};

} // namespace tolvane
