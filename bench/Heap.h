#pragma once

#include <cstddef>
#include <cstdint>

namespace tolvane::bench {

// What the program has taken from the heap, counted by the allocation functions that a
// benchmark program replaces (Heap.cpp): how much it has asked for in all, and the most it has
// held at once since the peak was last reset.
struct HeapCounts {
    std::uint64_t allocations = 0;
    std::uint64_t bytes_asked = 0;
    std::int64_t bytes_held = 0;
    std::int64_t peak_held = 0;
};

HeapCounts heap_counts();
// Starts a new peak from what is held now.
void reset_heap_peak();

} // namespace tolvane::bench
