// The memory watch reads /proc/meminfo, /proc/self/status and cgroup files;
// their parsers must stay inside the bytes they are given whatever they hold.
#include "KsMemWatchPrivate.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const char* text = reinterpret_cast<const char*>(data);
        for (const char* field : {"MemTotal:", "MemAvailable:", "VmSize:", "Cached:", ""}) {
            long long v = KsMemFindKBField(text, size, field);
            if (v < -1) __builtin_trap();
        }
        if (KsMemParseCgroupBytes(text, size) < -1) __builtin_trap();
        char path[64];
        if (KsMemFindCgroupPath(text, size, path, sizeof path)) {
            size_t n = std::strlen(path);
            if (n == 0 || n >= sizeof path || path[0] != '/' || std::strstr(path, ".."))
                __builtin_trap();
        }
    } catch (const XError&) {
    }
    return 0;
}
