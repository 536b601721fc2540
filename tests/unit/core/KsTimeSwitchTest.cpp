// The clock is read without a lock while another thread switches between the
// real and the virtual clock and moves the virtual one: a reader must never
// pair one clock's flag with the other's time, and time never goes back.
#include "KsTime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(KsTimeSwitch, ReadersSeeTimeGoOnlyForwardWhileTheClockIsSwitched) {
    KsUseVirtualClock(false);
    std::atomic<bool> done{false};
    std::atomic<long> backwards{0}, reads{0};
    std::vector<std::thread> readers;
    for (int r = 0; r < 2; ++r)
        readers.emplace_back([&] {
            long last = KsGetTicks();
            while (!done.load(std::memory_order_relaxed)) {
                const long now = KsGetTicks();
                if (now < last) backwards.fetch_add(1);
                last = now;
                reads.fetch_add(1, std::memory_order_relaxed);
            }
        });
    // Each virtual stretch runs ahead of the real clock, so every switch back
    // has to move the real clock's offset forward to keep time going on.
    while (reads.load() < 100)
        std::this_thread::yield();
    for (int i = 0; i < 2000 || (reads.load() < 20000 && i < 200000); ++i) {
        KsUseVirtualClock(true);
        KsAdvanceVirtualClock(3);
        KsAdvanceVirtualClockToTick(KsGetTicks() + 2);
        KsAdvanceVirtualClockMilliseconds(7);
        KsUseVirtualClock(false);
    }
    done = true;
    for (std::thread& t : readers)
        t.join();
    EXPECT_EQ(backwards.load(), 0);
    EXPECT_GT(reads.load(), 0);
    EXPECT_FALSE(KsIsVirtualClock());
}

} // namespace
