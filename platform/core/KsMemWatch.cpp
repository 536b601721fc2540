#include "KsMemWatch.h"
#include "KsMemWatchPrivate.h"

#include "KsFatal.h"
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// ---- parsing the kernel's files ----

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number at text[i..end); -1 when there is none or it overflows.
long long ReadNumber(const char* text, std::size_t& i, std::size_t end) {
    if (i >= end || !IsDigit(text[i])) return -1;
    long long n = 0;
    while (i < end && IsDigit(text[i])) {
        if (n > (0x7FFFFFFFFFFFFFFFLL - 9) / 10) return -1;
        n = n * 10 + (text[i++] - '0');
    }
    return n;
}

} // namespace

long long KsMemFindKBField(const char* text, std::size_t length, const char* field) {
    if (!text || !field) return -1;
    std::size_t fieldLen = std::strlen(field);
    std::size_t i = 0;
    while (i < length) {
        std::size_t lineEnd = i;
        while (lineEnd < length && text[lineEnd] != '\n')
            ++lineEnd;
        if (lineEnd - i > fieldLen && std::memcmp(text + i, field, fieldLen) == 0) {
            std::size_t p = i + fieldLen;
            while (p < lineEnd && IsSpace(text[p]))
                ++p;
            long long n = ReadNumber(text, p, lineEnd);
            if (n < 0) return -1;
            while (p < lineEnd && IsSpace(text[p]))
                ++p;
            // Values are in kB; a line with no unit is a count (rejected).
            if (lineEnd - p >= 2 && text[p] == 'k' && text[p + 1] == 'B') return n;
            return -1;
        }
        i = lineEnd + 1;
    }
    return -1;
}

long long KsMemParseCgroupBytes(const char* text, std::size_t length) {
    if (!text) return -1;
    std::size_t i = 0;
    while (i < length && IsSpace(text[i]))
        ++i;
    long long n = ReadNumber(text, i, length);
    if (n < 0) return -1; // "max" or garbage
    while (i < length && (IsSpace(text[i]) || text[i] == '\n'))
        ++i;
    return i == length ? n : -1;
}

bool KsMemFindCgroupPath(const char* text, std::size_t length, char* out, std::size_t size) {
    if (!text || !out || size == 0) return false;
    std::size_t i = 0;
    while (i < length) {
        std::size_t lineEnd = i;
        while (lineEnd < length && text[lineEnd] != '\n')
            ++lineEnd;
        if (lineEnd - i >= 3 && std::memcmp(text + i, "0::", 3) == 0) {
            std::size_t n = lineEnd - (i + 3);
            if (n == 0 || n >= size || text[i + 3] != '/') return false;
            // A path with "..", or a NUL, cannot be a cgroup path: refuse it
            // rather than read outside /sys/fs/cgroup.
            for (std::size_t k = i + 3; k < lineEnd; ++k)
                if (text[k] == 0 || (text[k] == '.' && k + 1 < lineEnd && text[k + 1] == '.'))
                    return false;
            std::memcpy(out, text + i + 3, n);
            out[n] = 0;
            return true;
        }
        i = lineEnd + 1;
    }
    return false;
}

namespace {

// Reads a small file whole (the kernel's files are a few kilobytes). The
// event loop measures once a tick, mouse moves included: plain reads, since a
// stdio stream allocates its buffer on every open.
std::size_t ReadSmallFile(const char* path, char* buf, std::size_t size) {
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    std::size_t n = 0;
    while (n < size) {
        const ssize_t got = read(fd, buf + n, size - n);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        n += std::size_t(got);
    }
    close(fd);
    return n;
}

struct Limit {
    long long availableKB;
    long long totalKB;
};

void Consider(KsMemFigures& best, Limit limit) {
    if (limit.availableKB < 0 || limit.totalKB <= 0) return;
    if (best.availableKB < 0 || limit.availableKB < best.availableKB) {
        best.availableKB = limit.availableKB;
        best.totalKB = limit.totalKB;
    }
}

} // namespace

KsMemFigures KsMemMeasure() {
    KsMemFigures figures;
    static char buf[16384];

    std::size_t n = ReadSmallFile("/proc/meminfo", buf, sizeof buf);
    long long total = KsMemFindKBField(buf, n, "MemTotal:");
    long long avail = KsMemFindKBField(buf, n, "MemAvailable:");
    if (avail < 0) { // kernels before 3.14
        long long free = KsMemFindKBField(buf, n, "MemFree:");
        long long cached = KsMemFindKBField(buf, n, "Cached:");
        if (free >= 0) avail = free + (cached > 0 ? cached : 0);
    }
    Consider(figures, {avail, total});

    rlimit rl{};
    if (getrlimit(RLIMIT_AS, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY) {
        n = ReadSmallFile("/proc/self/status", buf, sizeof buf);
        long long used = KsMemFindKBField(buf, n, "VmSize:");
        long long limitKB = (long long)(rl.rlim_cur / 1024);
        if (used >= 0) Consider(figures, {used < limitKB ? limitKB - used : 0, limitKB});
    }

    char path[512];
    n = ReadSmallFile("/proc/self/cgroup", buf, sizeof buf);
    char group[400];
    if (KsMemFindCgroupPath(buf, n, group, sizeof group)) {
        std::snprintf(path, sizeof path, "/sys/fs/cgroup%s/memory.max", group);
        n = ReadSmallFile(path, buf, sizeof buf);
        long long max = KsMemParseCgroupBytes(buf, n);
        std::snprintf(path, sizeof path, "/sys/fs/cgroup%s/memory.current", group);
        n = ReadSmallFile(path, buf, sizeof buf);
        long long current = KsMemParseCgroupBytes(buf, n);
        if (max > 0 && current >= 0)
            Consider(figures, {(current < max ? max - current : 0) / 1024, max / 1024});
    }
    return figures;
}

// ---- the watch ----

namespace {

struct Watch {
    long payloadKB = 0; // the reserve's size as set
    void* payload = nullptr;
    bool dropped = false;
    long thresholdKB = 0;
    short masters = 0;
    int suspended = 0;
    bool lastAnswer = false;
    bool simulating = false;
    KsMemFigures simulated;
};
Watch gWatch;

// Below this share of the threshold the reserve is given back.
constexpr long kDangerDivisor = 2;

KsMemFigures Figures() {
    return gWatch.simulating ? gWatch.simulated : KsMemMeasure();
}

void ReleasePayload() {
    std::free(gWatch.payload);
    gWatch.payload = nullptr;
}

bool AllocatePayload() {
    if (gWatch.payloadKB <= 0) return true;
    std::size_t bytes = std::size_t(gWatch.payloadKB) * 1024;
    void* block = std::malloc(bytes);
    if (!block) return false;
    std::memset(block, 0xA5, bytes); // commit the pages now, not when memory is short
    gWatch.payload = block;
    return true;
}

bool Below(const KsMemFigures& f, long long kilobytes) {
    return f.availableKB >= 0 && f.availableKB < kilobytes;
}

} // namespace

void KsMemInit() {
    ReleasePayload();
    bool simulating = gWatch.simulating;
    KsMemFigures simulated = gWatch.simulated;
    gWatch = Watch{};
    gWatch.simulating = simulating; // a test's simulation survives a restart
    gWatch.simulated = simulated;
}

void KsMemCleanup() {
    ReleasePayload();
    gWatch.payloadKB = 0;
    gWatch.dropped = false;
    gWatch.thresholdKB = 0;
    gWatch.lastAnswer = false;
}

void KsMemMoreMasters(short count) {
    if (count > 0) gWatch.masters = short(gWatch.masters + count);
}

bool KsMemSetPayload(long kilobytes) {
    // A reserve is a few megabytes; a gigabyte is certainly a mistake.
    FtlAssert(kilobytes >= 0 && kilobytes <= 1024L * 1024 && "KsMemSetPayload: size in KB");
    if (kilobytes < 0) kilobytes = 0;
    if (kilobytes > 1024L * 1024) kilobytes = 1024L * 1024;
    ReleasePayload();
    gWatch.payloadKB = kilobytes;
    gWatch.dropped = !AllocatePayload();
    return !gWatch.dropped;
}

void RegLowMemThreshold(long kilobytes) {
    gWatch.thresholdKB = kilobytes > 0 ? kilobytes : 0;
}

bool IsMemoryBelowThresh() {
    return Below(Figures(), gWatch.thresholdKB);
}

bool IsPayloadDropped() {
    return gWatch.dropped;
}

bool KsMemReset() {
    if (gWatch.suspended > 0) return gWatch.lastAnswer;
    KsMemFigures f = Figures();
    bool low = Below(f, gWatch.thresholdKB);
    if (!gWatch.dropped && gWatch.payload && Below(f, gWatch.thresholdKB / kDangerDivisor)) {
        ReleasePayload();
        gWatch.dropped = true;
    } else if (gWatch.dropped && f.availableKB >= 0 &&
               f.availableKB >= (long long)gWatch.thresholdKB + gWatch.payloadKB) {
        gWatch.dropped = !AllocatePayload();
    }
    gWatch.lastAnswer = low || gWatch.dropped;
    return gWatch.lastAnswer;
}

bool CheckVMUsage(long* megabytesRemaining, double* percentFull) {
    KsMemFigures f = Figures();
    long mb = 0;
    double full = 0.0;
    if (f.availableKB >= 0 && f.totalKB > 0) {
        long long avail = f.availableKB < f.totalKB ? f.availableKB : f.totalKB;
        mb = long(avail / 1024);
        full = 100.0 * double(f.totalKB - avail) / double(f.totalKB);
    }
    if (megabytesRemaining) *megabytesRemaining = mb;
    if (percentFull) *percentFull = full;
    return !Below(f, gWatch.thresholdKB);
}

void KsMemSLDisable() {
    ++gWatch.suspended;
}

void KsMemSLEnable() {
    FtlAssert(gWatch.suspended > 0 && "KsMemSLEnable without KsMemSLDisable");
    if (gWatch.suspended > 0) --gWatch.suspended;
}

void KsMemSimulate(long long availableKB, long long totalKB) {
    gWatch.simulating = availableKB >= 0;
    gWatch.simulated.availableKB = availableKB;
    gWatch.simulated.totalKB = totalKB;
}

long KsMemHeldPayloadKB() {
    return gWatch.payload ? gWatch.payloadKB : 0;
}
