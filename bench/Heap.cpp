#include "bench/Heap.h"

#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace tolvane::bench {

namespace {

std::atomic<std::uint64_t> allocations { 0 };
std::atomic<std::uint64_t> bytes_asked { 0 };
std::atomic<std::int64_t> bytes_held { 0 };
std::atomic<std::int64_t> peak_held { 0 };

void* take(std::size_t size)
{
    void* memory = std::malloc(size == 0 ? 1 : size);
    if (!memory)
        throw std::bad_alloc();
    // The block's usable size is what `give_back` can see again, so both count the same.
    auto const usable = static_cast<std::int64_t>(malloc_usable_size(memory));
    allocations.fetch_add(1, std::memory_order_relaxed);
    bytes_asked.fetch_add(size, std::memory_order_relaxed);
    std::int64_t const held = bytes_held.fetch_add(usable, std::memory_order_relaxed) + usable;
    std::int64_t peak = peak_held.load(std::memory_order_relaxed);
    while (held > peak && !peak_held.compare_exchange_weak(peak, held, std::memory_order_relaxed)) { }
    return memory;
}

void give_back(void* memory)
{
    if (!memory)
        return;
    bytes_held.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(memory)), std::memory_order_relaxed);
    std::free(memory);
}

} // namespace

HeapCounts heap_counts() { return { allocations.load(), bytes_asked.load(), bytes_held.load(), peak_held.load() }; }

void reset_heap_peak() { peak_held.store(bytes_held.load()); }

} // namespace tolvane::bench

// Only the C++ allocations are counted; FreeType and SDL allocate with malloc, but the shell
// asks FreeType for nothing per draw (outlines are loaded once, when the fonts open).
void* operator new(std::size_t size) { return tolvane::bench::take(size); }
void* operator new[](std::size_t size) { return tolvane::bench::take(size); }
void operator delete(void* memory) noexcept { tolvane::bench::give_back(memory); }
void operator delete[](void* memory) noexcept { tolvane::bench::give_back(memory); }
void operator delete(void* memory, std::size_t) noexcept { tolvane::bench::give_back(memory); }
void operator delete[](void* memory, std::size_t) noexcept { tolvane::bench::give_back(memory); }
