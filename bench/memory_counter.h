#pragma once

#include <cstdint>

namespace nerim::bench {

// Heap use of the benchmark program. Every program that includes memory_counter.cpp counts the
// bytes of its live allocations (as the allocator hands them out) and their peak.

// Bytes in use now.
std::int64_t HeapInUse();
// The highest HeapInUse since the last ResetHeapPeak.
std::int64_t HeapPeak();
// Starts a new peak from the bytes in use now.
void ResetHeapPeak();
// The process's peak resident set so far, in bytes (never goes down).
std::int64_t MaxResidentBytes();

}  // namespace nerim::bench
