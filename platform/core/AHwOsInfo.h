// What the machine and operating system offer, gathered once at start-up.
//
// The feature queries keep the names the framework asks by. On Linux there
// are no Apple events and no text-services text editing: both answer false.
// Every query works before MakeHwOsInfo (it gathers on first use).
#pragma once

#include <cstdint>
#include <string>

class AHwOsInfo {
public:
    // Gathers the facts again.
    static void MakeHwOsInfo();

    static bool HasAppleEvents();
    static bool HasTSMTE();
    // The application reports that text-services text editing is unusable;
    // HasTSMTE already answers false here.
    static void hasNoTSMTE();

    static std::string GetOSName();          // "Linux"
    static std::string GetOSRelease();       // kernel release, "6.1.0-13-amd64"
    static std::string GetMachine();         // "x86_64"
    static int GetProcessorCount();          // processors this process may run on, at least 1
    static std::int64_t GetPhysicalMemory(); // bytes; 0 when unknown
    static long GetPageSize();

    AHwOsInfo() = delete;
};
