#include "AllocationCount.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KS_ALLOC_COUNT_HOOKS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define KS_ALLOC_COUNT_HOOKS 1
#endif

namespace {
std::atomic<long> gAllocations{0};
}

#if defined(KS_ALLOC_COUNT_HOOKS)
// The sanitizer runtime's, as its allocator_interface.h declares it (the
// header does not come with every compiler's runtime).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*malloc_hook)(const volatile void*,
                                                                             std::size_t),
                                                         void (*free_hook)(const volatile void*));

namespace {
void CountAllocation(const volatile void*, std::size_t) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
}
void CountFree(const volatile void*) {}
} // namespace

long AllocationsSoFar() {
    // The sanitizer's own operator new stays: it checks that new and delete
    // match, which a replacement would hide from every test of the program.
    static const bool installed =
        __sanitizer_install_malloc_and_free_hooks(CountAllocation, CountFree) != 0;
    return installed ? gAllocations.load(std::memory_order_relaxed) : -1;
}

#else

long AllocationsSoFar() {
    return gAllocations.load(std::memory_order_relaxed);
}

// The compiler cannot see through malloc and free behind these.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t n) {
    gAllocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(n ? n : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

#endif
