// The memory watch reads /proc/meminfo, /proc/self/status and cgroup files;
// their parsers must stay inside the bytes they are given whatever they hold.
#include "KsFuzzCheck.h"
#include "KsMemWatchPrivate.h"
#include "XError.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        const char* text = reinterpret_cast<const char*>(data);
        for (const char* field : {"MemTotal:", "MemAvailable:", "VmSize:", "Cached:", ""})
            Check(KsMemFindKBField(text, size, field) >= -1);
        Check(KsMemParseCgroupBytes(text, size) >= -1);
        char path[64];
        if (KsMemFindCgroupPath(text, size, path, sizeof path)) {
            const size_t n = std::strlen(path);
            Check(n > 0 && n < sizeof path && path[0] == '/' && !std::strstr(path, ".."));
        }
    } catch (const XError&) {
    }
    return 0;
}
