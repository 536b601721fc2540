// The low-memory watch and the memory reserve.
//
// All sizes are in kilobytes (1024 bytes). The application holds a reserve
// block (the payload) from start-up and registers a threshold of available
// memory; the event loop calls KsMemReset after every event and warns the user:
//
//   normal   available >= threshold: the reserve is held.
//   low      available < threshold: KsMemReset answers true ("MEM_LOW").
//   danger   available < half the threshold: the reserve is released to the
//            system so that the user can still save work; IsPayloadDropped
//            answers true ("MEM_DANGER_LOW") until the reserve is restored.
//   restore  the reserve is taken back once available memory reaches the
//            threshold plus the reserve's size, so that holding it again does
//            not by itself make memory low.
//
// Available memory is the least of what the system has (MemAvailable in
// /proc/meminfo), what the process's address-space limit (RLIMIT_AS) leaves
// above its current size, and what its cgroup limit (memory.max) leaves above
// its current use. Main thread only.
#pragma once

void KsMemInit();    // start (or restart) the watch: no reserve, no threshold
void KsMemCleanup(); // release the reserve; the watch stops reporting
// Master pointers are made one per handle on this system; the count asked for
// is recorded and nothing is preallocated.
void KsMemMoreMasters(short count);

// Sets the reserve's size and allocates it at once (touching every page, so
// that it is real memory); 0 releases it. Answers false when it could not be
// allocated, which counts as a dropped reserve.
bool KsMemSetPayload(long kilobytes);
void RegLowMemThreshold(long kilobytes);

// True when available memory is below the registered threshold.
bool IsMemoryBelowThresh();
// Re-measures, releases or restores the reserve as above, and answers true
// when memory is low or the reserve is still released.
bool KsMemReset();
// True while the reserve is released (given up for lack of memory).
bool IsPayloadDropped();

// Megabytes remaining under the tightest of the limits above, and how full
// that limit is (0 to 100). Answers false when memory is low (below the
// threshold); true, with 0 and 0.0, when nothing could be measured.
bool CheckVMUsage(long* megabytesRemaining, double* percentFull);

// Suspends the watch around work that may briefly use memory (nests): while
// suspended, KsMemReset changes nothing and answers what it answered last.
void KsMemSLDisable();
void KsMemSLEnable();
