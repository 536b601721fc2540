#include "KsThreads.h"

#include <atomic>
#include <pthread.h>
#include <sys/types.h>
#include <unistd.h>

namespace {
// Kernel thread ids are unique among live threads, cheap to compare and fit an
// atomic, which a pthread_t compared by pthread_equal does not promise.
std::atomic<pid_t> gMainThread{0};

// The main-thread test runs on every event: ask the kernel once per thread.
// A forked child keeps the forking thread's cache but has a new id, so the
// cache is dropped in the child. Initial-exec: the library is linked at
// start-up, and the general model would call into the loader on each read.
__attribute__((tls_model("initial-exec"))) thread_local pid_t tThreadID = 0;

pid_t ThisThread() {
    if (tThreadID == 0) tThreadID = gettid();
    return tThreadID;
}

__attribute__((constructor)) void RecordMainThreadAtLoad() {
    pthread_atfork(nullptr, nullptr, [] { tThreadID = 0; });
    gMainThread.store(ThisThread(), std::memory_order_relaxed);
}
} // namespace

bool KsIsMainThread() {
    return gMainThread.load(std::memory_order_relaxed) == ThisThread();
}

void KsSetMainThread() {
    gMainThread.store(ThisThread(), std::memory_order_relaxed);
}
