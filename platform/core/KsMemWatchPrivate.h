// Internals of the low-memory watch shared with its tests and fuzz target.
#pragma once

#include <cstddef>

struct KsMemFigures {
    long long availableKB = -1; // -1: could not be measured
    long long totalKB = -1;     // size of the limit that leaves the least
};

// Reads "<name> <number> kB" lines (as /proc/meminfo and /proc/self/status
// write them): the number after the field named `field` (with its colon, e.g.
// "MemAvailable:"), or -1 when absent or malformed. Reads only `length` bytes.
long long KsMemFindKBField(const char* text, std::size_t length, const char* field);
// A decimal byte count or "max" (cgroup files); -1 for "max" or bad text.
long long KsMemParseCgroupBytes(const char* text, std::size_t length);
// The path of the unified (v2) cgroup in /proc/self/cgroup text ("0::/path"),
// copied into out (size bytes, terminated); false when there is none.
bool KsMemFindCgroupPath(const char* text, std::size_t length, char* out, std::size_t size);

// Measures the system now (ignores any simulation).
KsMemFigures KsMemMeasure();

// Test hook: the watch uses these figures instead of measuring. Passing a
// negative availableKB ends the simulation.
void KsMemSimulate(long long availableKB, long long totalKB);

// Size of the reserve now held, in kilobytes (0 when released).
long KsMemHeldPayloadKB();
