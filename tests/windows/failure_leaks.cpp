#include "tests/windows/failure_leaks.h"

#if defined(__SANITIZE_ADDRESS__)

#include <atomic>
#include <sanitizer/lsan_interface.h>

// From the sanitizer's allocator interface, whose header this compiler does not ship.
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*, std::size_t),
                                                         void (*free_hook)(const volatile void*));
extern "C" int __sanitizer_get_ownership(const volatile void* p);

// Blocks allocated before a failing action whose last reference a toolkit frame held when the
// failure unwound past it, so that Forgive cannot tell them: the weak-reference count of a guard
// pointer and the shared data of a text or a list. The program can only leak such a block by
// leaking the object that refers to it, which is reported as itself.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n"
           "leak:QArrayData::allocate\n";
}

namespace nerim::testing {
namespace {

// The hooks run inside the allocator, on every thread: they neither allocate nor lock.
constexpr std::size_t kTableSize = std::size_t{1} << 22;
const volatile void* table[kTableSize];
std::atomic<std::size_t> used{0};
std::atomic<bool> recording{false};

void OnMalloc(const volatile void* p, std::size_t) {
    if (!recording.load(std::memory_order_relaxed)) return;
    const std::size_t at = used.fetch_add(1, std::memory_order_relaxed);
    if (at < kTableSize) table[at] = p;
}

void OnFree(const volatile void*) {}

void InstallHooksOnce() {
    static const int installed = __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
    (void)installed;
}

}  // namespace

TActionAllocations::TActionAllocations() {
    InstallHooksOnce();
    used.store(0);
    recording.store(true);
}

TActionAllocations::~TActionAllocations() { recording.store(false); }

void TActionAllocations::Forgive() {
    recording.store(false);
    const std::size_t n = Count();
    // A recorded address that is still a live block now was allocated during the action: a block
    // freed meanwhile and given out again was given out during the action too.
    for (std::size_t i = 0; i < n; ++i)
        if (__sanitizer_get_ownership(table[i])) __lsan_ignore_object(const_cast<const void*>(table[i]));
    used.store(0);
    recording.store(true);
}

std::size_t TActionAllocations::Count() const {
    const std::size_t n = used.load();
    return n < kTableSize ? n : kTableSize;
}

}  // namespace nerim::testing

#else

namespace nerim::testing {

TActionAllocations::TActionAllocations() = default;
TActionAllocations::~TActionAllocations() = default;
void TActionAllocations::Forgive() {}
std::size_t TActionAllocations::Count() const { return 0; }

}  // namespace nerim::testing

#endif
