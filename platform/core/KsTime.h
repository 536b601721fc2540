// Time of the core services: ticks (sixtieths of a second) from a monotonic
// clock, a virtual clock for tests, and the pumping wait KsDoNothing.
//
// Ticks count from the monotonic clock's origin (boot), so they are large
// and never 0 in a running process; callers that keep 0 as "never" rely on it.
// They never go backwards, also across switching the virtual clock on or off.
#pragma once

// Sixtieths of a second, monotonic.
long KsGetTicks();

long TicksToMilliseconds(long ticks);        // rounded to the nearest millisecond
long MillisecondsToTicks(long milliseconds); // rounded to the nearest tick

// The virtual clock stands still until advanced; tests switch it on to get
// repeatable timing. Switching it on keeps the current time.
void KsUseVirtualClock(bool on);
bool KsIsVirtualClock();
// Moves the virtual clock forward; ignored unless it is on, or when negative.
void KsAdvanceVirtualClock(long ticks);
void KsAdvanceVirtualClockMilliseconds(long milliseconds);
// Moves the virtual clock to the very start of `tick` (never backwards), so a
// wait for a tick ends exactly there whatever fraction of a tick it began in.
void KsAdvanceVirtualClockToTick(long tick);

// The pump serves the user interface while the core waits: the toolbox layer
// installs one that pumps native input and presents damaged areas.
using KsPumpProc = void (*)(void* data);
struct KsPumpHook {
    KsPumpProc proc = nullptr;
    void* data = nullptr;
};
// Installs a pump; answers the one it replaces.
KsPumpHook KsSetPumpHook(KsPumpHook hook);

// Waits `milliseconds` while serving the pump, sleeping briefly between pumps
// so that it never spins a core. The pump runs at least once, even for 0.
// With the virtual clock on, waiting advances virtual time instead of sleeping.
// A pump that waits in turn is not pumped again from inside itself.
void KsDoNothing(long milliseconds);
