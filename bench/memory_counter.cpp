#include "bench/memory_counter.h"

#include <malloc.h>
#include <sys/resource.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace nerim::bench {
namespace {

std::atomic<std::int64_t> inUse{0};
std::atomic<std::int64_t> peak{0};

void* Counted(void* p) {
    if (!p) return p;
    const auto size = static_cast<std::int64_t>(malloc_usable_size(p));
    const std::int64_t now = inUse.fetch_add(size, std::memory_order_relaxed) + size;
    std::int64_t seen = peak.load(std::memory_order_relaxed);
    while (now > seen && !peak.compare_exchange_weak(seen, now, std::memory_order_relaxed)) {
    }
    return p;
}

void Release(void* p) {
    if (!p) return;
    inUse.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(p)), std::memory_order_relaxed);
    std::free(p);
}

void* Allocate(std::size_t size) {
    void* p = Counted(std::malloc(size ? size : 1));
    if (!p) throw std::bad_alloc();
    return p;
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
    const auto a = static_cast<std::size_t>(align);
    void* p = Counted(std::aligned_alloc(a, (size + a - 1) / a * a));
    if (!p) throw std::bad_alloc();
    return p;
}

}  // namespace

std::int64_t HeapInUse() { return inUse.load(std::memory_order_relaxed); }
std::int64_t HeapPeak() { return peak.load(std::memory_order_relaxed); }
void ResetHeapPeak() { peak.store(inUse.load(std::memory_order_relaxed), std::memory_order_relaxed); }

std::int64_t MaxResidentBytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<std::int64_t>(usage.ru_maxrss) * 1024;
}

}  // namespace nerim::bench

// The program's allocations go through the counters.
void* operator new(std::size_t size) { return nerim::bench::Allocate(size); }
void* operator new[](std::size_t size) { return nerim::bench::Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return nerim::bench::Counted(std::malloc(size ? size : 1));
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return nerim::bench::Counted(std::malloc(size ? size : 1));
}
void* operator new(std::size_t size, std::align_val_t align) { return nerim::bench::AllocateAligned(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return nerim::bench::AllocateAligned(size, align); }
void operator delete(void* p) noexcept { nerim::bench::Release(p); }
void operator delete[](void* p) noexcept { nerim::bench::Release(p); }
void operator delete(void* p, std::size_t) noexcept { nerim::bench::Release(p); }
void operator delete[](void* p, std::size_t) noexcept { nerim::bench::Release(p); }
void operator delete(void* p, std::align_val_t) noexcept { nerim::bench::Release(p); }
void operator delete[](void* p, std::align_val_t) noexcept { nerim::bench::Release(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { nerim::bench::Release(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { nerim::bench::Release(p); }
