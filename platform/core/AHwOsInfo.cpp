#include "AHwOsInfo.h"

#include <mutex>
#include <sched.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace {
struct Facts {
    bool gathered = false;
    std::string osName, osRelease, machine;
    int processors = 1;
    std::int64_t memory = 0;
    long pageSize = 4096;
};

std::mutex gLock;
Facts gFacts;

void Gather(Facts& facts) {
    struct utsname names;
    if (uname(&names) == 0) {
        facts.osName = names.sysname;
        facts.osRelease = names.release;
        facts.machine = names.machine;
    }
    cpu_set_t set;
    CPU_ZERO(&set);
    int count = sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : 0;
    if (count <= 0) count = int(sysconf(_SC_NPROCESSORS_ONLN));
    facts.processors = count > 0 ? count : 1;
    long page = sysconf(_SC_PAGESIZE);
    if (page > 0) facts.pageSize = page;
    long pages = sysconf(_SC_PHYS_PAGES);
    facts.memory = pages > 0 ? std::int64_t(pages) * facts.pageSize : 0;
    facts.gathered = true;
}

Facts& Current() {
    if (!gFacts.gathered) Gather(gFacts);
    return gFacts;
}
} // namespace

void AHwOsInfo::MakeHwOsInfo() {
    std::lock_guard<std::mutex> hold(gLock);
    Gather(gFacts);
}

bool AHwOsInfo::HasAppleEvents() {
    return false;
}

// No text-services text editing exists on this platform, so the answer is
// false whether or not the application switched it off.
bool AHwOsInfo::HasTSMTE() {
    return false;
}

void AHwOsInfo::hasNoTSMTE() {}

std::string AHwOsInfo::GetOSName() {
    std::lock_guard<std::mutex> hold(gLock);
    return Current().osName;
}

std::string AHwOsInfo::GetOSRelease() {
    std::lock_guard<std::mutex> hold(gLock);
    return Current().osRelease;
}

std::string AHwOsInfo::GetMachine() {
    std::lock_guard<std::mutex> hold(gLock);
    return Current().machine;
}

int AHwOsInfo::GetProcessorCount() {
    std::lock_guard<std::mutex> hold(gLock);
    return Current().processors;
}

std::int64_t AHwOsInfo::GetPhysicalMemory() {
    std::lock_guard<std::mutex> hold(gLock);
    return Current().memory;
}

long AHwOsInfo::GetPageSize() {
    std::lock_guard<std::mutex> hold(gLock);
    return Current().pageSize;
}
