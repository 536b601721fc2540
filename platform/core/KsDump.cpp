#include "KsDump.h"

#include "KsAppInfo.h"
#include "KsFolders.h"

#include "KsOutput.h"
#include "XError.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <execinfo.h>
#include <fcntl.h>
#include <fstream>
#include <mutex>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/utsname.h>
#include <unistd.h>
#include <vector>

namespace {
struct Section {
    std::string title;
    DmpPrinter printer;
    int flag;
};

std::mutex gLock;
std::vector<Section>& Sections() {
    static std::vector<Section> sections;
    return sections;
}

const EMMessage kMessages[] = {
    {"DMP_WRITE_FAILED", "The state dump could not be written to \"{path}\" ({why}).", nullptr},
};
const bool gRegistered = (EMRegisterMessages(kMessages, 1), true);

[[noreturn]] void Fail(const std::string& path, int err) {
    xraisexerror("DMP_WRITE_FAILED", "str path", path, "str why", std::strerror(err));
}

std::string ProgramName() {
    return KSGetApplName();
}

std::string DumpFolder() {
    std::string dir = KsUserFolder(KsFolderKind::state) + "/dumps";
    if (int err = KsMakeFolders(dir, 0700)) Fail(dir, err);
    return dir;
}

void WriteBody(std::FILE* f, const char* title) {
    char when[64];
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S %z", &tm);
    std::fprintf(f, "State dump of %s (pid %d), %s\n", ProgramName().c_str(), int(getpid()), when);
    std::fprintf(f, "%s\n", title ? title : "");

    const XError& e = ESGetCurrent();
    if (e.IsError()) {
        std::fprintf(f, "\n== Error being handled\n");
        for (int level = e.Levels(); level >= 1; --level)
            std::fprintf(f, "%d %s: %s\n", level, e.GetCode(level), e.GetText(level).c_str());
    }

    std::vector<Section> sections;
    {
        std::lock_guard<std::mutex> g(gLock);
        sections = Sections();
    }
    for (const Section& s : sections) {
        if (!s.flag || !s.printer) continue;
        std::fprintf(f, "\n== %s\n", s.title.c_str());
        std::fflush(f);
        try {
            s.printer(f);
        } catch (...) {
            XError x = XErrorFromCurrentException();
            std::fprintf(f, "(this section failed: %s)\n", x.GetText().c_str());
        }
    }
}
} // namespace

void DmpInstall(DmpPrinter printer, const char* title, int flag) {
    std::lock_guard<std::mutex> g(gLock);
    std::string t(title ? title : "");
    for (Section& s : Sections()) {
        if (s.title == t) {
            s.printer = printer;
            s.flag = flag;
            return;
        }
    }
    Sections().push_back(Section{t, printer, flag});
}

void DmpRemoveAll() {
    std::lock_guard<std::mutex> g(gLock);
    Sections().clear();
}

const char* DmpDumpToFile(const char* path, const char* title, int flag) {
    (void)gRegistered;
    static thread_local std::string answer;
    static std::atomic<unsigned> sequence{0};

    std::string target;
    std::string dir;
    if (path && *path) {
        target = path;
        size_t slash = target.rfind('/');
        dir = slash == std::string::npos ? "." : target.substr(0, slash ? slash : 1);
    } else {
        dir = DumpFolder();
        char stamp[32];
        std::time_t now = std::time(nullptr);
        std::tm tm{};
        localtime_r(&now, &tm);
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
        target = dir + "/" + ProgramName() + "-" + stamp + "-" + std::to_string(getpid()) + "-" +
                 std::to_string(sequence++) + ".dump";
    }

    std::string temp = dir + "/.dump-XXXXXX";
    int fd = mkstemp(temp.data());
    if (fd < 0) Fail(target, errno);
    std::FILE* f = fdopen(fd, "w");
    if (!f) {
        int err = errno;
        close(fd);
        unlink(temp.c_str());
        Fail(target, err);
    }
    WriteBody(f, title);
    bool ok = std::fflush(f) == 0 && fsync(fd) == 0;
    int err = errno;
    ok = (std::fclose(f) == 0) && ok;
    if (!ok || rename(temp.c_str(), target.c_str()) != 0) {
        if (ok) err = errno;
        unlink(temp.c_str());
        Fail(target, err ? err : EIO);
    }
    answer = target;
    if (flag) dprintf("State dumped to %s\n", answer.c_str());
    return answer.c_str();
}

// ---------------------------------------------------------------------------
// Section printers

void PSPrintStack(std::FILE* out) {
    void* frames[64];
    int n = backtrace(frames, 64);
    std::fflush(out);
    backtrace_symbols_fd(frames, n, fileno(out));
}

namespace {
// Copies at most `maxLines` lines of a text file.
void CopyLines(std::FILE* out, const char* file, int maxLines, const char* prefix = "") {
    std::ifstream in(file);
    std::string line;
    for (int i = 0; i < maxLines && std::getline(in, line); ++i)
        std::fprintf(out, "%s%s\n", prefix, line.c_str());
}
} // namespace

void PrintSysConfig(std::FILE* out) {
    utsname u{};
    if (uname(&u) == 0)
        std::fprintf(out, "%s %s %s %s\n", u.sysname, u.release, u.version, u.machine);
    std::ifstream os("/etc/os-release");
    std::string line;
    while (std::getline(os, line))
        if (line.rfind("PRETTY_NAME=", 0) == 0) std::fprintf(out, "%s\n", line.c_str() + 12);
    std::fprintf(out, "processors online: %ld\n", sysconf(_SC_NPROCESSORS_ONLN));
    CopyLines(out, "/proc/meminfo", 5);
}

void PrintProcesses(std::FILE* out) {
    DIR* d = opendir("/proc");
    if (!d) return;
    uid_t me = getuid();
    int shown = 0;
    while (dirent* e = readdir(d)) {
        if (e->d_name[0] < '0' || e->d_name[0] > '9') continue;
        std::string base = std::string("/proc/") + e->d_name;
        struct stat st {};
        if (stat(base.c_str(), &st) != 0 || st.st_uid != me) continue;
        std::ifstream comm(base + "/comm");
        std::string name;
        std::getline(comm, name);
        std::fprintf(out, "%8s %s\n", e->d_name, name.c_str());
        if (++shown == 500) {
            std::fprintf(out, "(more not shown)\n");
            break;
        }
    }
    closedir(d);
}

void PrintProcessModules(std::FILE* out) {
    std::ifstream maps("/proc/self/maps");
    std::string line;
    std::set<std::string> seen;
    while (std::getline(maps, line)) {
        size_t slash = line.find('/');
        if (slash == std::string::npos) continue;
        std::string path = line.substr(slash);
        if (seen.insert(path).second) std::fprintf(out, "%s\n", path.c_str());
    }
}

void PrintDeviceDrivers(std::FILE* out) {
    std::ifstream mods("/proc/modules");
    std::string line;
    int shown = 0;
    while (std::getline(mods, line) && shown++ < 1000)
        std::fprintf(out, "%s\n", line.substr(0, line.find(' ')).c_str());
}

long PSSetStackSize(long bytes) {
    rlimit r{};
    if (getrlimit(RLIMIT_STACK, &r) != 0) return -1;
    long previous = r.rlim_cur == RLIM_INFINITY ? -1 : long(r.rlim_cur);
    if (bytes <= 0) return previous;
    rlim_t want = rlim_t(bytes);
    if (r.rlim_max != RLIM_INFINITY && want > r.rlim_max) want = r.rlim_max;
    r.rlim_cur = want;
    if (setrlimit(RLIMIT_STACK, &r) != 0) return -1;
    return previous;
}
