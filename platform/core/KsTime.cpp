#include "KsTime.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <mutex>

// Time is kept in units of 1/3000 second, which both a tick (50 units) and a
// millisecond (3 units) divide exactly, so virtual steps never drift.
namespace {

constexpr std::int64_t kUnitsPerTick = 50;
constexpr std::int64_t kUnitsPerMs = 3;

// Writers take the lock and bump gSeq around their change; a reader of the
// time (on every event) takes no lock but reads again if a change overlapped
// its reading, so it never pairs a flag with the other mode's value and time
// never goes back across a switch of clocks.
std::mutex gLock;
std::atomic<std::uint64_t> gSeq{0};       // odd while a writer is changing the clock
std::atomic<bool> gVirtualFlag{false};    // written under gLock
std::atomic<std::int64_t> gVirtualNow{0}; // units, while virtual
std::atomic<std::int64_t> gOffset{0};     // added to the real clock so time never goes back

// Brackets a change of the three above; the caller holds gLock.
class StClockChange {
public:
    StClockChange() : seq_(gSeq.load(std::memory_order_relaxed)) {
        gSeq.store(seq_ + 1, std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_release);
    }
    ~StClockChange() { gSeq.store(seq_ + 2, std::memory_order_release); }
    StClockChange(const StClockChange&) = delete;
    StClockChange& operator=(const StClockChange&) = delete;

private:
    std::uint64_t seq_;
};

std::atomic<KsPumpProc> gPumpProc{nullptr};
std::atomic<void*> gPumpData{nullptr};
thread_local bool tInsidePump = false;

std::int64_t RealUnits() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t(ts.tv_sec) * 3000 + std::int64_t(ts.tv_nsec) * 3 / 1000000;
}

std::int64_t NowUnits() {
    for (;;) {
        const std::uint64_t seq = gSeq.load(std::memory_order_acquire);
        if (seq & 1) continue;
        const std::int64_t now = gVirtualFlag.load(std::memory_order_relaxed)
                                     ? gVirtualNow.load(std::memory_order_relaxed)
                                     : RealUnits() + gOffset.load(std::memory_order_relaxed);
        std::atomic_thread_fence(std::memory_order_acquire);
        if (gSeq.load(std::memory_order_relaxed) == seq) return now;
    }
}

void AdvanceUnits(std::int64_t units) {
    if (units <= 0) return;
    std::lock_guard<std::mutex> g(gLock);
    if (!gVirtualFlag.load(std::memory_order_relaxed)) return;
    StClockChange change;
    gVirtualNow.store(gVirtualNow.load(std::memory_order_relaxed) + units,
                      std::memory_order_relaxed);
}

long RoundedDiv(long value, long num, long den) {
    // value * num / den rounded to nearest, without overflowing for large values.
    long q = value / den, r = value % den;
    long half = den / 2;
    long rest = r * num;
    return q * num + (rest >= 0 ? (rest + half) / den : (rest - half) / den);
}

void Pump() {
    KsPumpProc proc = gPumpProc.load(std::memory_order_acquire);
    if (!proc || tInsidePump) return;
    tInsidePump = true;
    struct Reset {
        ~Reset() { tInsidePump = false; }
    } reset;
    proc(gPumpData.load(std::memory_order_acquire));
}

} // namespace

long KsGetTicks() {
    return static_cast<long>(NowUnits() / kUnitsPerTick);
}

long TicksToMilliseconds(long ticks) {
    return RoundedDiv(ticks, 1000, 60);
}
long MillisecondsToTicks(long milliseconds) {
    return RoundedDiv(milliseconds, 60, 1000);
}

void KsUseVirtualClock(bool on) {
    std::lock_guard<std::mutex> g(gLock);
    if (on == gVirtualFlag.load(std::memory_order_relaxed)) return;
    StClockChange change;
    const std::int64_t real = RealUnits();
    const std::int64_t offset = gOffset.load(std::memory_order_relaxed);
    const std::int64_t now = gVirtualNow.load(std::memory_order_relaxed);
    if (on) {
        gVirtualNow.store(real + offset, std::memory_order_relaxed);
    } else if (now > real + offset) {
        gOffset.store(now - real, std::memory_order_relaxed);
    }
    gVirtualFlag.store(on, std::memory_order_release);
}

bool KsIsVirtualClock() {
    return gVirtualFlag.load(std::memory_order_acquire);
}

void KsAdvanceVirtualClock(long ticks) {
    AdvanceUnits(std::int64_t(ticks) * kUnitsPerTick);
}
void KsAdvanceVirtualClockToTick(long tick) {
    std::lock_guard<std::mutex> g(gLock);
    const std::int64_t target = std::int64_t(tick) * kUnitsPerTick;
    if (!gVirtualFlag.load(std::memory_order_relaxed) ||
        target <= gVirtualNow.load(std::memory_order_relaxed))
        return;
    StClockChange change;
    gVirtualNow.store(target, std::memory_order_relaxed);
}
void KsAdvanceVirtualClockMilliseconds(long milliseconds) {
    AdvanceUnits(std::int64_t(milliseconds) * kUnitsPerMs);
}

KsPumpHook KsSetPumpHook(KsPumpHook hook) {
    std::lock_guard<std::mutex> g(gLock);
    KsPumpHook old{gPumpProc.load(), gPumpData.load()};
    gPumpData.store(hook.data, std::memory_order_release);
    gPumpProc.store(hook.proc, std::memory_order_release);
    return old;
}

void KsDoNothing(long milliseconds) {
    // Short steps keep tracking loops responsive; the sleep keeps the core idle.
    constexpr std::int64_t kStepUnits = 5 * kUnitsPerMs;
    std::int64_t remaining = milliseconds > 0 ? std::int64_t(milliseconds) * kUnitsPerMs : 0;
    // The real clock is read in whole units, so one more unit makes sure the
    // wait is never shorter than asked.
    std::int64_t deadline = NowUnits() + remaining + (remaining > 0 && !KsIsVirtualClock());
    for (;;) {
        Pump();
        std::int64_t left = deadline - NowUnits();
        if (left <= 0) return;
        std::int64_t step = left < kStepUnits ? left : kStepUnits;
        if (KsIsVirtualClock()) {
            AdvanceUnits(step);
            continue;
        }
        timespec ts{};
        std::int64_t ns = step * 1000000 / 3;
        ts.tv_sec = static_cast<time_t>(ns / 1000000000);
        ts.tv_nsec = static_cast<long>(ns % 1000000000);
        nanosleep(&ts, nullptr);
    }
}
