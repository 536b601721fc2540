#include "KsThreads.h"

#include <atomic>
#include <sys/types.h>
#include <unistd.h>

namespace {
// Kernel thread ids are unique among live threads, cheap to read and fit an
// atomic, which a pthread_t compared by pthread_equal does not promise.
std::atomic<pid_t> gMainThread{0};

__attribute__((constructor)) void RecordMainThreadAtLoad() {
    gMainThread.store(gettid(), std::memory_order_relaxed);
}
} // namespace

bool KsIsMainThread() {
    return gMainThread.load(std::memory_order_relaxed) == gettid();
}

void KsSetMainThread() {
    gMainThread.store(gettid(), std::memory_order_relaxed);
}
