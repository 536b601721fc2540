#include "KsTime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <sys/resource.h>

namespace {

// Restores the real clock and removes the pump after each test.
class KsTime : public ::testing::Test {
protected:
    void TearDown() override {
        KsSetPumpHook({});
        KsUseVirtualClock(false);
    }
};

struct PumpLog {
    int calls = 0;
    long firstTicks = 0, lastTicks = 0;
};
void CountPump(void* data) {
    auto* log = static_cast<PumpLog*>(data);
    if (log->calls++ == 0) log->firstTicks = KsGetTicks();
    log->lastTicks = KsGetTicks();
}

double CpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_THREAD, &u);
    return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

} // namespace

TEST_F(KsTime, TicksAreMonotonicSixtiethsOfASecond) {
    long first = KsGetTicks();
    EXPECT_GT(first, 0); // 0 means "never" to callers
    auto start = std::chrono::steady_clock::now();
    long prev = first;
    for (int i = 0; i < 100000; ++i) {
        long t = KsGetTicks();
        ASSERT_GE(t, prev);
        prev = t;
    }
    timespec nap{0, 200 * 1000 * 1000};
    nanosleep(&nap, nullptr);
    long elapsedMs = long(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - start)
                              .count());
    long ticks = KsGetTicks() - first;
    EXPECT_NEAR(double(ticks), elapsedMs * 60.0 / 1000.0, 2.0);
}

TEST_F(KsTime, Conversions) {
    EXPECT_EQ(TicksToMilliseconds(60), 1000);
    EXPECT_EQ(TicksToMilliseconds(1), 17);
    EXPECT_EQ(TicksToMilliseconds(3), 50);
    EXPECT_EQ(TicksToMilliseconds(-1), -17);
    EXPECT_EQ(TicksToMilliseconds(0), 0);
    EXPECT_EQ(MillisecondsToTicks(1000), 60);
    EXPECT_EQ(MillisecondsToTicks(150), 9);
    EXPECT_EQ(MillisecondsToTicks(8), 0);
    EXPECT_EQ(MillisecondsToTicks(9), 1);
    // No overflow for the largest counts.
    const long big = 0x7FFFFFFFFFFFFF00L / 1000;
    EXPECT_EQ(TicksToMilliseconds(big * 60), big * 1000);
}

TEST_F(KsTime, VirtualClockStandsStillUntilAdvancedAndNeverGoesBack) {
    long before = KsGetTicks();
    KsUseVirtualClock(true);
    EXPECT_TRUE(KsIsVirtualClock());
    long t0 = KsGetTicks();
    EXPECT_GE(t0, before);
    timespec nap{0, 50 * 1000 * 1000};
    nanosleep(&nap, nullptr);
    EXPECT_EQ(KsGetTicks(), t0);
    KsAdvanceVirtualClock(24);
    EXPECT_EQ(KsGetTicks(), t0 + 24);
    KsAdvanceVirtualClock(-5);
    EXPECT_EQ(KsGetTicks(), t0 + 24);
    // Milliseconds add up exactly: 60 steps of 50 ms are 180 ticks.
    for (int i = 0; i < 60; ++i)
        KsAdvanceVirtualClockMilliseconds(50);
    EXPECT_EQ(KsGetTicks(), t0 + 24 + 180);

    // Far ahead of real time, then back to the real clock: no step backwards.
    KsAdvanceVirtualClock(60 * 3600);
    long ahead = KsGetTicks();
    KsUseVirtualClock(false);
    EXPECT_FALSE(KsIsVirtualClock());
    EXPECT_GE(KsGetTicks(), ahead);
    KsAdvanceVirtualClock(1000); // ignored on the real clock
    EXPECT_LT(KsGetTicks(), ahead + 60);
}

TEST_F(KsTime, DoNothingPumpsAndAdvancesTheVirtualClock) {
    PumpLog log;
    KsSetPumpHook({CountPump, &log});
    KsUseVirtualClock(true);
    long t0 = KsGetTicks();
    KsDoNothing(150);
    EXPECT_EQ(KsGetTicks() - t0, 9); // 150 ms
    EXPECT_GE(log.calls, 10);        // pumped all along, not only once
    EXPECT_EQ(log.firstTicks, t0);
    EXPECT_EQ(log.lastTicks - t0, 9); // and once more at the end

    log = {};
    KsDoNothing(0);
    EXPECT_EQ(log.calls, 1);
    KsDoNothing(-20);
    EXPECT_EQ(log.calls, 2);

    // The hook is replaceable and answered back.
    KsPumpHook old = KsSetPumpHook({});
    EXPECT_EQ(old.proc, &CountPump);
    EXPECT_EQ(old.data, &log);
}

TEST_F(KsTime, DoNothingOnTheRealClockSleepsInsteadOfSpinning) {
    PumpLog log;
    KsSetPumpHook({CountPump, &log});
    auto start = std::chrono::steady_clock::now();
    double cpu0 = CpuSeconds();
    KsDoNothing(200);
    double cpu = CpuSeconds() - cpu0;
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(
                  std::chrono::steady_clock::now() - start)
                  .count();
    EXPECT_GE(us, 200000);  // never shorter than asked
    EXPECT_LT(us, 1000000); // a loaded machine may oversleep, but not by seconds
    EXPECT_GE(log.calls, 10);
    EXPECT_LT(log.calls, 200); // about one pump per 5 ms
    EXPECT_LT(cpu, 0.1);       // a spinning wait would use the whole 0.2 s
}

namespace {
int gNested = 0;
void NestingPump(void*) {
    ++gNested;
    KsDoNothing(1); // a pump that waits must not recurse into itself
}
} // namespace

TEST_F(KsTime, PumpThatWaitsIsNotReentered) {
    KsSetPumpHook({NestingPump, nullptr});
    KsUseVirtualClock(true);
    gNested = 0;
    KsDoNothing(10);
    EXPECT_GE(gNested, 1);
    EXPECT_LE(gNested, 3);
}

TEST(KsVirtualClock, AdvancingToATickLandsOnItsStart) {
    KsUseVirtualClock(true);
    KsAdvanceVirtualClockMilliseconds(7); // somewhere inside a tick
    long t = KsGetTicks();
    KsAdvanceVirtualClockToTick(t + 1);
    EXPECT_EQ(KsGetTicks(), t + 1);
    // From the very start of a tick, the smallest step forward stays in it.
    KsAdvanceVirtualClockMilliseconds(1);
    EXPECT_EQ(KsGetTicks(), t + 1);
    KsAdvanceVirtualClockToTick(t); // never backwards
    EXPECT_EQ(KsGetTicks(), t + 1);
    KsUseVirtualClock(false);
}
