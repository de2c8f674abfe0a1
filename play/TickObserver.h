#pragma once

#include <cstdint>
#include <string_view>

namespace tolvane {

// Hears of every tick the event loop delivers, so that the loop's pace can be measured from
// outside the windows: the window's name (valid for as long as the stage lives) and the moment
// its handler was called, on the loop's clock. The program sets none; the loop then pays one
// test of a null pointer per tick.
class TickObserver {
public:
    virtual ~TickObserver() = default;
    virtual void ticked(std::string_view window, std::int64_t started_us) = 0;
};

} // namespace tolvane
